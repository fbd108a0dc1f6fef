#pragma once

#include <QModelIndexList>
#include <QPoint>
#include <QTableView>

// The list of playlists (over the main window's ov_model_playlist). Row 0 is
// the library playlist: it can be neither renamed, removed nor moved.
class ovg_table_view_playlist : public QTableView {
  Q_OBJECT

public:
  static constexpr int header_height = 26;
  static constexpr int row_height = 24;

  explicit ovg_table_view_playlist(QWidget* parent = nullptr);
  ~ovg_table_view_playlist() override;

  void setModel(QAbstractItemModel* model) override;

signals:
  void signal_dropped_tracks(QModelIndexList rows, int target_row);
  void signal_current_item_changed(const QModelIndex& current);
  void esignal_playlist_removed(int row);
  void esignal_global_key_pressed(int key, Qt::KeyboardModifiers modifiers);
  void esignal_playlist_move(int from_row, int to_row);
  void esignal_right_key_pressed();
  void esignal_play_new();
  void esignal_add_new_playlist();

public slots:
  // The name editor has been closed: the view takes the focus back.
  void eslot_edit_finished();
  // Asks with the remove dialog and, when accepted, reports the current row.
  void islot_remove_playlist();
  // Opens the name cell of the current row for editing.
  void islot_rename_playlist();
  void islot_double_clicked(const QModelIndex& index);

protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

private:
  enum column : int { col_mark = 0, col_name = 1 };

  void setup_appearance();
  void setup_header();
  bool editable_row(int row) const;
  int current_row() const;
  // The row a payload may be dropped on, or -1.
  int drop_row(const QMimeData* data, const QPoint& pos) const;
  void current_row_changed(const QModelIndex& current);

  QPoint press_point_;
  int press_row_ = -1;
};
