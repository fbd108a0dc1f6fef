#include "ovg_table_view_tracks.h"

#include "ov_log.h"
#include "ov_model.h"
#include "ov_playlist.h"
#include "ovd_track.h"
#include "ovg_delegate_rank.h"
#include "ovg_delegate_score.h"
#include "ovg_delegate_text.h"
#include "ovg_global_keys.h"
#include "ovg_mime_data_drag_tracks.h"
#include "ovg_table_palette.h"
#include "ovg_tableview_tracks_hheader.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>
#include <QUrl>

#include <algorithm>

namespace {

const QString log_tag = QStringLiteral("tableview_tracks");

void log_debug(const QString& text) {
  ov_log_write(ov_log::DEBUG, log_tag, text);
}

}  // namespace

ovg_table_view_tracks::ovg_table_view_tracks(ov_playlist* playlist, QWidget* parent)
    : QTableView(parent), header_(new ovg_tableview_tracks_hheader(this)), model_(new ov_model(this)) {
  setup_appearance();
  setup_header();
  model_->set_playlist(playlist);
  setModel(model_);
  setup_columns();
  setup_empty_label();
  setup_connections();
}

ovg_table_view_tracks::~ovg_table_view_tracks() = default;

ov_playlist* ovg_table_view_tracks::playlist() const {
  return model_->playlist();
}

void ovg_table_view_tracks::setup_appearance() {
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setAlternatingRowColors(true);
  setShowGrid(false);
  setTabKeyNavigation(false);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setWordWrap(false);
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  QFont f = font();
  f.setPointSize(9);
  setFont(f);
  ovg_apply_table_palette(this);
}

void ovg_table_view_tracks::setup_header() {
  header_->setFixedHeight(header_height);
  setHorizontalHeader(header_);
  QHeaderView* rows = verticalHeader();
  rows->setMinimumSectionSize(1);
  rows->setDefaultSectionSize(row_height);
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setFixedWidth(0);
  setItemDelegate(new ovg_delegate_text(this));
  setItemDelegateForColumn(ovd_track::col_rank, new ovg_delegate_rank(this));
  setItemDelegateForColumn(ovd_track::col_score, new ovg_delegate_score(this));
}

// Fixed-width columns get their catalogue width for good; the others start
// at it until a saved header state replaces it.
void ovg_table_view_tracks::setup_columns() {
  for (const ovd_track::column& c : ovd_track::instance().columns()) {
    header_->resizeSection(c.number, c.width);
    if (c.fixed_width) header_->setSectionResizeMode(c.number, QHeaderView::Fixed);
    header_->setSectionHidden(c.number, !c.visible_by_default);
  }
}

// The library takes files only; a user playlist also takes tracks dragged
// from another playlist.
void ovg_table_view_tracks::setup_empty_label() {
  const ov_playlist* p = playlist();
  empty_label_ = new QLabel(
      p && p->id() == 0 ? tr("Drop music files or folders here, or use File > Add…")
                        : tr("Please drag track files/dirs from your file manager or drag tracks from other Playlist."),
      viewport());
  empty_label_->setObjectName(QStringLiteral("empty_playlist_label"));
  empty_label_->setAlignment(Qt::AlignCenter);
  empty_label_->setWordWrap(true);
  empty_label_->setStyleSheet(QStringLiteral("QLabel { color: #f4f4f4; }"));
  empty_label_->setAttribute(Qt::WA_TransparentForMouseEvents);
  update_empty_label();
}

void ovg_table_view_tracks::setup_connections() {
  connect(header_, &QHeaderView::sectionClicked, this, &ovg_table_view_tracks::islog_hheader_clicked);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &ovg_table_view_tracks::esignal_slider_moved);
  connect(model_, &QAbstractItemModel::modelReset, this, &ovg_table_view_tracks::update_empty_label);
  connect(model_, &QAbstractItemModel::rowsInserted, this, &ovg_table_view_tracks::update_empty_label);
  connect(model_, &QAbstractItemModel::rowsRemoved, this, &ovg_table_view_tracks::update_empty_label);
}

void ovg_table_view_tracks::update_empty_label() {
  empty_label_->setGeometry(viewport()->rect().adjusted(20, 20, -20, -20));
  empty_label_->setVisible(model_->rowCount() == 0);
}

QModelIndexList ovg_table_view_tracks::selected_rows() const {
  QModelIndexList rows = selectionModel()->selectedRows();
  std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  return rows;
}

void ovg_table_view_tracks::restore_scroll_position(int position) {
  verticalScrollBar()->setValue(position);
  if (currentIndex().isValid()) scrollTo(currentIndex(), QAbstractItemView::EnsureVisible);
}

void ovg_table_view_tracks::repaint_row(int row) {
  if (row < 0 || row >= model_->rowCount()) return;
  viewport()->update(QRect(0, rowViewportPosition(row), viewport()->width(), rowHeight(row)));
}

void ovg_table_view_tracks::slot_update_playing_statuses(int old_row, int new_row) {
  repaint_row(old_row);
  repaint_row(new_row);
}

void ovg_table_view_tracks::islot_double_clicked(const QModelIndex& index) {
  if (index.isValid()) emit esignal_track_kicked(index.row());
}

void ovg_table_view_tracks::eslot_item_count_changed() {
  model_->reset();
  update_empty_label();
}

void ovg_table_view_tracks::islog_hheader_clicked(int column) {
  ov_playlist* p = playlist();
  if (p && ov_playlist::is_sortable_column(column)) p->sort_by_column(column);
}

void ovg_table_view_tracks::islot_renew_track_number() {
  const QModelIndexList rows = selected_rows();
  if (!rows.isEmpty()) emit esignal_renew_track_numbers(rows);
}

void ovg_table_view_tracks::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  if (ovg_is_global_key(key, modifiers)) {
    emit esignal_global_key_pressed(key, modifiers);
  } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    if (currentIndex().isValid()) emit esignal_track_kicked(currentIndex().row());
  } else if (key == Qt::Key_Left && !(modifiers & Qt::ControlModifier)) {
    emit esignal_left_key_pressed();
  } else {
    QTableView::keyPressEvent(event);
    return;
  }
  event->accept();
}

void ovg_table_view_tracks::contextMenuEvent(QContextMenuEvent* event) {
  log_debug(QStringLiteral("context menu cliecked."));
  const bool any = !selectionModel()->selectedRows().isEmpty();
  QMenu menu(this);
  QAction* remove = menu.addAction(tr("Remove Selected Tracks"));
  QAction* remove_library = menu.addAction(tr("Remove Selected Tracks From The Library"));
  QAction* renew = menu.addAction(tr("Renew Selected Track #"));
  for (QAction* a : {remove, remove_library, renew}) a->setEnabled(any);
  connect(remove, &QAction::triggered, this, &ovg_table_view_tracks::esignal_remove_tracks_from_current_playlist);
  connect(remove_library, &QAction::triggered, this, &ovg_table_view_tracks::esignal_remove_tracks_from_library);
  connect(renew, &QAction::triggered, this, &ovg_table_view_tracks::islot_renew_track_number);
  menu.exec(event->globalPos());
  event->accept();
}

void ovg_table_view_tracks::mousePressEvent(QMouseEvent* event) {
  log_debug(QStringLiteral("mouse pressed event"));
  press_point_ = event->position().toPoint();
  drag_armed_ = event->button() == Qt::LeftButton;
  const QModelIndex index = indexAt(press_point_);
  const bool plain = !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
  if (drag_armed_ && plain && index.isValid() && selectionModel()->isRowSelected(index.row(), QModelIndex())) {
    deferred_press_ = index;
    setFocus(Qt::MouseFocusReason);
    event->accept();
    return;
  }
  deferred_press_ = QModelIndex();
  QTableView::mousePressEvent(event);
}

void ovg_table_view_tracks::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton) || !drag_armed_) {
    QTableView::mouseMoveEvent(event);
    return;
  }
  log_debug(QStringLiteral("mouse move event"));
  if ((event->position().toPoint() - press_point_).manhattanLength() < QApplication::startDragDistance()) return;
  drag_armed_ = false;
  deferred_press_ = QModelIndex();
  start_drag();
}

void ovg_table_view_tracks::start_drag() {
  const QModelIndexList rows = selected_rows();
  if (rows.isEmpty()) return;
  auto* drag = new QDrag(this);
  drag->setMimeData(new ovg_mime_data_drag_tracks(rows));
  drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
}

void ovg_table_view_tracks::mouseReleaseEvent(QMouseEvent* event) {
  log_debug(QStringLiteral("mouse released event"));
  drag_armed_ = false;
  if (deferred_press_.isValid()) {
    // A click on a selected row without dragging selects just that row.
    selectionModel()->setCurrentIndex(deferred_press_, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    deferred_press_ = QModelIndex();
    event->accept();
    return;
  }
  QTableView::mouseReleaseEvent(event);
}

void ovg_table_view_tracks::mouseDoubleClickEvent(QMouseEvent* event) {
  deferred_press_ = QModelIndex();
  drag_armed_ = false;
  if (event->button() != Qt::LeftButton) return;
  islot_double_clicked(indexAt(event->position().toPoint()));
  event->accept();
}

// A tracks payload is taken only from this view's own model: its indexes
// mean nothing to another playlist.
bool ovg_table_view_tracks::accepts(const QMimeData* data) const {
  if (auto tracks = qobject_cast<const ovg_mime_data_drag_tracks*>(data))
    return !tracks->indexes().isEmpty() && tracks->indexes().first().model() == model_;
  return data && data->hasFormat(QStringLiteral("text/uri-list"));
}

void ovg_table_view_tracks::dragEnterEvent(QDragEnterEvent* event) {
  if (accepts(event->mimeData()))
    event->acceptProposedAction();
  else
    event->ignore();
}

void ovg_table_view_tracks::dragMoveEvent(QDragMoveEvent* event) {
  if (accepts(event->mimeData()))
    event->acceptProposedAction();
  else
    event->ignore();
}

QStringList ovg_table_view_tracks::readable_paths(const QList<QUrl>& urls) {
  QStringList paths;
  for (const QUrl& url : urls) {
    const QString path = url.isLocalFile() ? url.toLocalFile() : QString();
    const QFileInfo info(path);
    if (!path.isEmpty() && info.exists() && info.isReadable()) {
      paths << path;
      continue;
    }
    ov_log_write(ov_log::WARNING, log_tag,
                 QStringLiteral("dropped path is missing or not readable, left out: ") + url.toString());
  }
  return paths;
}

void ovg_table_view_tracks::dropEvent(QDropEvent* event) {
  const QMimeData* data = event->mimeData();
  if (!accepts(data)) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  if (auto tracks = qobject_cast<const ovg_mime_data_drag_tracks*>(data)) {
    const QModelIndex target = indexAt(event->position().toPoint());
    const int row = target.isValid() ? target.row() : model_->rowCount();
    log_debug(QStringLiteral("moving tracks =  to: ") + QString::number(row));
    emit esignal_move_tracks(tracks->indexes(), row);
    return;
  }
  const QStringList paths = readable_paths(data->urls());
  if (!paths.isEmpty()) emit signal_filepaths_dropped(paths);
}

void ovg_table_view_tracks::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  update_empty_label();
  emit esignal_resized(width());
}
