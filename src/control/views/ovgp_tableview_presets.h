#pragma once

#include <QPoint>
#include <QTableView>

class ovg_mimedata_drag_preset;

// The list of presets in the presets dialog. Rows other than 0 can be
// dragged to a new place; nothing can be dropped on row 0.
class ovgp_tableview_presets : public QTableView {
  Q_OBJECT

public:
  explicit ovgp_tableview_presets(QWidget* parent = nullptr);

  void setModel(QAbstractItemModel* model) override;

signals:
  void esignal_current_item_changed(int row);
  void esignal_preset_move(int from, int to);

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

private:
  // The dragged preset's mime data when event carries a movable row.
  const ovg_mimedata_drag_preset* movable(const QMimeData* data) const;
  int drop_row(const QPoint& pos) const;
  void start_drag();

  QPoint press_pos_;
  QModelIndex press_index_;
};
