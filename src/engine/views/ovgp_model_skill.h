#pragma once

#include "ovd_skill.h"

#include <QAbstractTableModel>
#include <QList>

#include <climits>

// Skills with a check box each: column 0 the check, 1 "Skill" (name), 2
// "Size" (cost). An unchecked row can be checked only while a slot remains
// and its cost fits the remaining capacity; otherwise it stays selectable but
// is neither enabled nor checkable. Checked rows always stay enabled so that
// they can be unchecked.
class ovgp_model_skill : public QAbstractTableModel {
  Q_OBJECT

public:
  enum column : int { column_check = 0, column_name = 1, column_size = 2, column_count = 3 };
  static constexpr int unlimited = INT_MAX;

  explicit ovgp_model_skill(QObject* parent = nullptr);

  // Replaces the rows (the records are the catalogue's, not owned); checks
  // missing from `checked` are false.
  void set_skills(const QList<const ovd_skill::skill*>& skills, const QList<bool>& checked = {});
  const ovd_skill::skill* skill_at(int row) const;
  int row_of(const ovd_skill::skill* skill) const;

  bool is_checked(int row) const;
  // Sets a check without reporting it as a user change.
  void set_checked(int row, bool checked);
  void set_remaining(int slot_count, int capacity);
  bool is_choosable(int row) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

signals:
  void esignal_check_state_changed(int row, bool checked);

public slots:
  // Toggles the row's check as a user change, when the row may change.
  void eslot_toggle_checked(int row);

private:
  void refresh_row(int row);

  QList<const ovd_skill::skill*> skills_;
  QList<bool> checked_;
  int remaining_slots_ = unlimited;
  int remaining_capacity_ = unlimited;
};
