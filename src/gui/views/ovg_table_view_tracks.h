#pragma once

#include <QModelIndexList>
#include <QPoint>
#include <QTableView>

class QLabel;
class ov_model;
class ov_playlist;
class ovg_tableview_tracks_hheader;

// The table of one playlist's entries, over its own ov_model. Turns mouse,
// keyboard, drag and drop and context-menu input into signals for the main
// window; global keys (Space, Ctrl+Left/Right/Tab) are forwarded, not handled.
class ovg_table_view_tracks : public QTableView {
  Q_OBJECT

public:
  static constexpr int header_height = 26;
  static constexpr int row_height = 21;

  explicit ovg_table_view_tracks(ov_playlist* playlist, QWidget* parent = nullptr);
  ~ovg_table_view_tracks() override;

  ov_playlist* playlist() const;
  ov_model* track_model() const { return model_; }
  ovg_tableview_tracks_hheader* tracks_header() const { return header_; }
  // The hint shown over the view while the playlist is empty.
  QLabel* empty_label() const { return empty_label_; }
  // Selected rows (column 0 indexes), in row order.
  QModelIndexList selected_rows() const;
  // Scrolls to a stored position, then as little as needed to bring the
  // current row into view: a restored selection is never out of sight.
  void restore_scroll_position(int position);

  // The dropped local paths that exist and can be read, in drop order; the
  // others are logged and left out.
  static QStringList readable_paths(const QList<QUrl>& urls);

signals:
  void signal_filepaths_dropped(QStringList paths);
  void esignal_track_kicked(int row);
  void esignal_global_key_pressed(int key, Qt::KeyboardModifiers modifiers);
  void esignal_resized(int width);
  void esignal_slider_moved(int position);
  void esignal_left_key_pressed();
  void esignal_renew_track_numbers(QModelIndexList rows);
  void esignal_move_tracks(QModelIndexList rows, int target_row);
  void esignal_remove_tracks_from_current_playlist();
  void esignal_remove_tracks_from_library();

public slots:
  // Repaints the rows whose entry status changed (previous and new playing row).
  void slot_update_playing_statuses(int old_row, int new_row);
  void islot_double_clicked(const QModelIndex& index);
  // The playlist gained or lost entries: reset the model, update the hint.
  void eslot_item_count_changed();
  // Sorts the playlist by a clicked column.
  void islog_hheader_clicked(int column);
  void islot_renew_track_number();

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  void setup_appearance();
  void setup_header();
  void setup_columns();
  void setup_empty_label();
  void setup_connections();
  void update_empty_label();
  bool accepts(const QMimeData* data) const;
  void start_drag();
  void repaint_row(int row);

  ovg_tableview_tracks_hheader* header_;
  ov_model* model_;
  QLabel* empty_label_ = nullptr;
  QPoint press_point_;
  // A left press on an already selected row keeps the selection until the
  // release, so that several rows can be dragged together.
  QModelIndex deferred_press_;
  bool drag_armed_ = false;
};
