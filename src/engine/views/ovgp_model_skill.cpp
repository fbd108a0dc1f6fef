#include "ovgp_model_skill.h"

ovgp_model_skill::ovgp_model_skill(QObject* parent) : QAbstractTableModel(parent) {}

void ovgp_model_skill::set_skills(const QList<const ovd_skill::skill*>& skills, const QList<bool>& checked) {
  beginResetModel();
  skills_ = skills;
  checked_ = checked.mid(0, skills.size());
  while (checked_.size() < skills_.size()) checked_.append(false);
  endResetModel();
}

const ovd_skill::skill* ovgp_model_skill::skill_at(int row) const {
  return row >= 0 && row < skills_.size() ? skills_.at(row) : nullptr;
}

int ovgp_model_skill::row_of(const ovd_skill::skill* skill) const {
  return skills_.indexOf(skill);
}

bool ovgp_model_skill::is_checked(int row) const {
  return row >= 0 && row < checked_.size() && checked_.at(row);
}

void ovgp_model_skill::set_checked(int row, bool checked) {
  if (row < 0 || row >= checked_.size() || checked_.at(row) == checked) return;
  checked_[row] = checked;
  refresh_row(row);
}

void ovgp_model_skill::set_remaining(int slot_count, int capacity) {
  remaining_slots_ = slot_count;
  remaining_capacity_ = capacity;
  if (!skills_.isEmpty()) emit dataChanged(index(0, 0), index(skills_.size() - 1, column_count - 1));
}

bool ovgp_model_skill::is_choosable(int row) const {
  const ovd_skill::skill* s = skill_at(row);
  if (!s) return false;
  if (is_checked(row)) return true;
  return remaining_slots_ >= 1 && s->cost <= remaining_capacity_;
}

int ovgp_model_skill::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : skills_.size();
}

int ovgp_model_skill::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : column_count;
}

QVariant ovgp_model_skill::data(const QModelIndex& index, int role) const {
  const ovd_skill::skill* s = skill_at(index.row());
  if (!index.isValid() || !s) return {};
  switch (role) {
    case Qt::CheckStateRole:
      if (index.column() == column_check) return is_checked(index.row()) ? Qt::Checked : Qt::Unchecked;
      return {};
    case Qt::DisplayRole:
      if (index.column() == column_name) return s->name;
      if (index.column() == column_size) return s->cost;
      return {};
    case Qt::TextAlignmentRole:
      if (index.column() == column_size) return int(Qt::AlignRight | Qt::AlignVCenter);
      if (index.column() == column_name) return int(Qt::AlignLeft | Qt::AlignVCenter);
      return {};
    case Qt::ToolTipRole:
      return s->description();
    default:
      return {};
  }
}

QVariant ovgp_model_skill::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case column_name:
      return tr("Skill");
    case column_size:
      return tr("Size");
    default:
      return QString();
  }
}

Qt::ItemFlags ovgp_model_skill::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  if (!is_choosable(index.row())) return Qt::ItemIsSelectable;
  if (index.column() == column_check) return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsUserCheckable;
  return Qt::ItemIsSelectable | Qt::ItemIsEnabled;
}

bool ovgp_model_skill::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::CheckStateRole || index.column() != column_check) return false;
  if (!(flags(index) & Qt::ItemIsUserCheckable)) return false;
  const bool checked = value.toInt() == Qt::Checked;
  const int row = index.row();
  if (checked == is_checked(row)) return true;
  checked_[row] = checked;
  emit esignal_check_state_changed(row, checked);
  refresh_row(row);
  return true;
}

void ovgp_model_skill::eslot_toggle_checked(int row) {
  setData(index(row, column_check), is_checked(row) ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
}

void ovgp_model_skill::refresh_row(int row) {
  if (row < 0 || row >= skills_.size()) return;
  emit dataChanged(index(row, 0), index(row, column_count - 1));
}
