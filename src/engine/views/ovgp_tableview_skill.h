#pragma once

#include <QTableView>

// A table of skills with check boxes: whole-row single selection; reports
// the new current row, and the space key on a row (which the page connects
// to the model's toggle).
class ovgp_tableview_skill : public QTableView {
  Q_OBJECT

public:
  explicit ovgp_tableview_skill(QWidget* parent = nullptr);

  // Column widths for the model's three columns; call after setModel.
  void fit_columns();

signals:
  void esignal_current_changed(ovgp_tableview_skill* view, int row);
  void esignal_space_pushed(int row);

protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void keyPressEvent(QKeyEvent* event) override;
};
