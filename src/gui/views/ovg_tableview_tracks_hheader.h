#pragma once

#include <QHeaderView>
#include <QMap>

class QAction;
class QMenu;

// Horizontal header of the track view. A right click opens a menu with one
// checkable entry per column of the track column catalogue; unchecking an
// entry hides its column.
class ovg_tableview_tracks_hheader : public QHeaderView {
  Q_OBJECT

public:
  explicit ovg_tableview_tracks_hheader(QWidget* parent = nullptr);
  ~ovg_tableview_tracks_hheader() override;

  // The menu entry of a column; null for a column outside the catalogue.
  QAction* column_action(int column) const { return actions_.value(column); }
  QMenu* column_menu() const { return menu_; }
  // Checks each entry exactly when its column is shown (after a restored state).
  void sync_actions();

public slots:
  void islot_toggle_track_no_clicked(bool checked);
  void islot_toggle_album_clicked(bool checked);
  void islot_toggle_artist_clicked(bool checked);
  void islot_toggle_length_clicked(bool checked);
  void islot_toggle_number_clicked(bool checked);
  void islot_toggle_timestamp_added_clicked(bool checked);
  void islot_toggle_play_time_clicked(bool checked);
  void islot_toggle_count_play_newly_clicked(bool checked);
  void islot_toggle_count_selected_on_nexts_clicked(bool checked);
  void islot_toggle_count_nselected_on_nexts_clicked(bool checked);
  void islot_toggle_count_like_button_clicked(bool checked);
  void islot_toggle_count_dislike_button_clicked(bool checked);
  void islot_toggle_count_play_through_clicked(bool checked);

protected:
  void contextMenuEvent(QContextMenuEvent* event) override;

private:
  void build_menu();
  void connect_toggles();
  void show_column(int column, bool shown);

  QMenu* menu_;
  QMap<int, QAction*> actions_;
};
