#pragma once

#include <QTableView>

// The upgrade dialog's table of new skills: whole-row single selection;
// reports the new current row.
class ovg_dialog_favorite_engine_upgraded_tableview : public QTableView {
  Q_OBJECT

public:
  explicit ovg_dialog_favorite_engine_upgraded_tableview(QWidget* parent = nullptr);

signals:
  void esignal_current_changed(int row);

protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
};
