#include "ovgp_model_presets.h"

#include "ovgp_medley_preset.h"

ovgp_model_presets::ovgp_model_presets(ovgp_preset_list* presets, QObject* parent)
    : QAbstractListModel(parent), presets_(presets) {}

int ovgp_model_presets::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(presets_->size());
}

QVariant ovgp_model_presets::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return (*presets_)[index.row()]->shown_name();
    case Qt::TextAlignmentRole:
      return int(Qt::AlignLeft | Qt::AlignVCenter);
    default:
      return {};
  }
}

QVariant ovgp_model_presets::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role == Qt::DisplayRole && orientation == Qt::Horizontal && section == 0) return tr("Preset");
  return QAbstractListModel::headerData(section, orientation, role);
}

Qt::ItemFlags ovgp_model_presets::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
  if (index.row() != 0) f |= Qt::ItemIsEditable;
  return f;
}

bool ovgp_model_presets::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid() || index.row() == 0 || index.row() >= rowCount()) return false;
  (*presets_)[index.row()]->set_name(value.toString());
  emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  return true;
}

void ovgp_model_presets::refresh() {
  beginResetModel();
  endResetModel();
}
