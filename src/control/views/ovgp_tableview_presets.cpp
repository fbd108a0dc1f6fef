#include "ovgp_tableview_presets.h"

#include "ov_log.h"
#include "ovg_mimedata_drag_preset.h"

#include <QApplication>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHeaderView>
#include <QMouseEvent>

ovgp_tableview_presets::ovgp_tableview_presets(QWidget* parent) : QTableView(parent) {
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  setDropIndicatorShown(true);
  horizontalHeader()->setStretchLastSection(true);
  verticalHeader()->hide();
}

void ovgp_tableview_presets::setModel(QAbstractItemModel* model) {
  QTableView::setModel(model);
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) { emit esignal_current_item_changed(current.row()); });
}

void ovgp_tableview_presets::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    press_pos_ = event->position().toPoint();
    press_index_ = indexAt(press_pos_);
  }
  QTableView::mousePressEvent(event);
}

void ovgp_tableview_presets::mouseMoveEvent(QMouseEvent* event) {
  const bool held = event->buttons().testFlag(Qt::LeftButton);
  if (held && press_index_.isValid() &&
      (event->position().toPoint() - press_pos_).manhattanLength() >= QApplication::startDragDistance()) {
    start_drag();
    return;
  }
  QTableView::mouseMoveEvent(event);
}

void ovgp_tableview_presets::start_drag() {
  auto* drag = new QDrag(this);
  drag->setMimeData(new ovg_mimedata_drag_preset(press_index_));
  press_index_ = QModelIndex();
  drag->exec(Qt::MoveAction);
}

const ovg_mimedata_drag_preset* ovgp_tableview_presets::movable(const QMimeData* data) const {
  const auto* preset = qobject_cast<const ovg_mimedata_drag_preset*>(data);
  if (!preset || preset->index().model() != model()) return nullptr;
  const int row = preset->row();
  return row > 0 && row < model()->rowCount() ? preset : nullptr;
}

int ovgp_tableview_presets::drop_row(const QPoint& pos) const {
  const QModelIndex index = indexAt(pos);
  return index.isValid() ? index.row() : model()->rowCount();
}

void ovgp_tableview_presets::dragEnterEvent(QDragEnterEvent* event) {
  if (movable(event->mimeData()))
    event->acceptProposedAction();
  else
    event->ignore();
}

void ovgp_tableview_presets::dragMoveEvent(QDragMoveEvent* event) {
  if (movable(event->mimeData()) && drop_row(event->position().toPoint()) != 0)
    event->acceptProposedAction();
  else
    event->ignore();
}

void ovgp_tableview_presets::dropEvent(QDropEvent* event) {
  const ovg_mimedata_drag_preset* preset = movable(event->mimeData());
  if (!preset) {
    event->ignore();
    return;
  }
  const int from = preset->row();
  const int to = drop_row(event->position().toPoint());
  event->acceptProposedAction();
  if (to < 1 || to == from) return;
  ov_log_write(ov_log::DEBUG, QStringLiteral("tableview_presets"),
               QStringLiteral("moving preset =  from: ") + QString::number(from) + QStringLiteral(",  to: ") +
                   QString::number(to));
  emit esignal_preset_move(from, to);
}
