#include "ovg_dialog_favorite_engine_upgraded_model.h"

ovg_dialog_favorite_engine_upgraded_model::ovg_dialog_favorite_engine_upgraded_model(
    const QList<const ovd_skill::skill*>& skills, QObject* parent)
    : QAbstractTableModel(parent), skills_(skills) {}

const ovd_skill::skill* ovg_dialog_favorite_engine_upgraded_model::skill_at(int row) const {
  return row >= 0 && row < skills_.size() ? skills_.at(row) : nullptr;
}

int ovg_dialog_favorite_engine_upgraded_model::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : skills_.size();
}

int ovg_dialog_favorite_engine_upgraded_model::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : column_count;
}

QVariant ovg_dialog_favorite_engine_upgraded_model::data(const QModelIndex& index, int role) const {
  const ovd_skill::skill* s = skill_at(index.row());
  if (!index.isValid() || !s) return {};
  if (role == Qt::DisplayRole) return index.column() == column_name ? QVariant(s->name) : QVariant(s->cost);
  if (role == Qt::TextAlignmentRole)
    return int((index.column() == column_size ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
  return {};
}

QVariant ovg_dialog_favorite_engine_upgraded_model::headerData(int section, Qt::Orientation orientation,
                                                               int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  return section == column_name ? tr("Skill") : tr("Size");
}
