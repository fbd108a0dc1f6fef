#include "ovg_table_view_playlist.h"

#include "ov_log.h"
#include "ovg_dialog_remove_item.h"
#include "ovg_exec.h"
#include "ovg_global_keys.h"
#include "ovg_mime_data_drag_playlist.h"
#include "ovg_mime_data_drag_tracks.h"
#include "ovg_table_palette.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QHeaderView>
#include <QMenu>

namespace {

const QString log_tag = QStringLiteral("tableview_playlist");
constexpr int mark_width = 20;

void log_debug(const QString& text) {
  ov_log_write(ov_log::DEBUG, log_tag, text);
}

}  // namespace

ovg_table_view_playlist::ovg_table_view_playlist(QWidget* parent) : QTableView(parent) {
  setup_appearance();
  setup_header();
}

ovg_table_view_playlist::~ovg_table_view_playlist() = default;

void ovg_table_view_playlist::setup_appearance() {
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setAlternatingRowColors(true);
  setShowGrid(false);
  setTabKeyNavigation(false);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setEditTriggers(QAbstractItemView::EditKeyPressed);
  ovg_apply_table_palette(this);
  setStyleSheet(QStringLiteral("QLineEdit { color: #111111;}"));
}

void ovg_table_view_playlist::setup_header() {
  horizontalHeader()->setFixedHeight(header_height);
  horizontalHeader()->setStretchLastSection(true);
  QHeaderView* rows = verticalHeader();
  rows->setMinimumSectionSize(1);
  rows->setDefaultSectionSize(row_height);
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setFixedWidth(0);
}

void ovg_table_view_playlist::setModel(QAbstractItemModel* model) {
  QTableView::setModel(model);
  if (!model) return;
  horizontalHeader()->setSectionResizeMode(col_mark, QHeaderView::Fixed);
  horizontalHeader()->resizeSection(col_mark, mark_width);
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          &ovg_table_view_playlist::current_row_changed);
}

void ovg_table_view_playlist::current_row_changed(const QModelIndex& current) {
  log_debug(QStringLiteral("playlist changed"));
  emit signal_current_item_changed(current);
}

int ovg_table_view_playlist::current_row() const {
  return currentIndex().isValid() ? currentIndex().row() : -1;
}

bool ovg_table_view_playlist::editable_row(int row) const {
  return model() && row > 0 && row < model()->rowCount();
}

void ovg_table_view_playlist::eslot_edit_finished() {
  setFocus(Qt::OtherFocusReason);
}

void ovg_table_view_playlist::islot_remove_playlist() {
  const int row = current_row();
  if (!editable_row(row)) return;
  const QString name = model()->index(row, col_name).data().toString();
  ovg_dialog_remove_item dialog(tr("Removing selected playlist"),
                                tr("Remove the playlist \"%1\"?\nIts tracks stay in the library.").arg(name), this);
  if (ovg_exec(&dialog) == QDialog::Accepted) emit esignal_playlist_removed(row);
}

void ovg_table_view_playlist::islot_rename_playlist() {
  const int row = current_row();
  if (editable_row(row)) edit(model()->index(row, col_name));
}

void ovg_table_view_playlist::islot_double_clicked(const QModelIndex& index) {
  if (index.isValid() && editable_row(index.row())) edit(model()->index(index.row(), col_name));
}

void ovg_table_view_playlist::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  if (ovg_is_global_key(key, modifiers)) {
    emit esignal_global_key_pressed(key, modifiers);
  } else if ((key == Qt::Key_Return || key == Qt::Key_Enter) && state() != QAbstractItemView::EditingState) {
    emit esignal_play_new();
  } else if (key == Qt::Key_Delete && state() != QAbstractItemView::EditingState) {
    islot_remove_playlist();
  } else if (key == Qt::Key_Right && !(modifiers & Qt::ControlModifier)) {
    emit esignal_right_key_pressed();
  } else {
    QTableView::keyPressEvent(event);
    return;
  }
  event->accept();
}

void ovg_table_view_playlist::contextMenuEvent(QContextMenuEvent* event) {
  const int row = current_row();
  log_debug(QStringLiteral("playlist: context menu cliecked.  row = ") + QString::number(row));
  QMenu menu(this);
  QAction* add = menu.addAction(tr("Add a new Playlist"));
  QAction* rename = menu.addAction(tr("Re-name selected Playlist"));
  QAction* remove = menu.addAction(tr("Remove selected Playlist"));
  rename->setEnabled(editable_row(row));
  remove->setEnabled(editable_row(row));
  connect(add, &QAction::triggered, this, &ovg_table_view_playlist::esignal_add_new_playlist);
  connect(rename, &QAction::triggered, this, &ovg_table_view_playlist::islot_rename_playlist);
  connect(remove, &QAction::triggered, this, &ovg_table_view_playlist::islot_remove_playlist);
  menu.exec(event->globalPos());
  event->accept();
}

void ovg_table_view_playlist::mousePressEvent(QMouseEvent* event) {
  press_point_ = event->position().toPoint();
  const QModelIndex index = indexAt(press_point_);
  press_row_ = event->button() == Qt::LeftButton && index.isValid() ? index.row() : -1;
  QTableView::mousePressEvent(event);
}

void ovg_table_view_playlist::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton) || state() == QAbstractItemView::EditingState) {
    QTableView::mouseMoveEvent(event);
    return;
  }
  // Moving with the button held never changes the current playlist.
  if (!editable_row(press_row_)) return;
  if ((event->position().toPoint() - press_point_).manhattanLength() < QApplication::startDragDistance()) return;
  const int row = press_row_;
  press_row_ = -1;
  auto* drag = new QDrag(this);
  drag->setMimeData(new ovg_mime_data_drag_playlist(row));
  drag->exec(Qt::MoveAction, Qt::MoveAction);
}

void ovg_table_view_playlist::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) islot_double_clicked(indexAt(event->position().toPoint()));
  event->accept();
}

// Tracks may land on any playlist row; a playlist may be moved onto any row
// but the library's.
int ovg_table_view_playlist::drop_row(const QMimeData* data, const QPoint& pos) const {
  const QModelIndex index = indexAt(pos);
  if (!index.isValid()) return -1;
  if (auto tracks = qobject_cast<const ovg_mime_data_drag_tracks*>(data))
    return tracks->indexes().isEmpty() ? -1 : index.row();
  if (auto playlist = qobject_cast<const ovg_mime_data_drag_playlist*>(data))
    return editable_row(playlist->row()) && editable_row(index.row()) ? index.row() : -1;
  return -1;
}

void ovg_table_view_playlist::dragEnterEvent(QDragEnterEvent* event) {
  // Entering may happen over the header or an empty area: accept the kind of
  // payload, the row is checked while moving.
  const QMimeData* data = event->mimeData();
  if (qobject_cast<const ovg_mime_data_drag_tracks*>(data) || qobject_cast<const ovg_mime_data_drag_playlist*>(data))
    event->acceptProposedAction();
  else
    event->ignore();
}

void ovg_table_view_playlist::dragMoveEvent(QDragMoveEvent* event) {
  if (drop_row(event->mimeData(), event->position().toPoint()) >= 0)
    event->acceptProposedAction();
  else
    event->ignore();
}

void ovg_table_view_playlist::dropEvent(QDropEvent* event) {
  const QMimeData* data = event->mimeData();
  const int row = drop_row(data, event->position().toPoint());
  if (row < 0) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  if (auto tracks = qobject_cast<const ovg_mime_data_drag_tracks*>(data)) {
    emit signal_dropped_tracks(tracks->indexes(), row);
    return;
  }
  const int from = qobject_cast<const ovg_mime_data_drag_playlist*>(data)->row();
  if (from == row) return;
  log_debug(QStringLiteral("moving playlist =  from: %1,  to: %2").arg(from).arg(row));
  emit esignal_playlist_move(from, row);
}
