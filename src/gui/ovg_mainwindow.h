#pragma once

#include "ov_general_settings.h"
#include "ov_medley_preset.h"
#include "ov_settings_group.h"
#include "ov_view_ports.h"
#include "ov_volume_settings.h"
#include "ov_window_settings.h"
#include "ovg_flow_runner.h"

#include <QList>
#include <QMainWindow>
#include <QModelIndexList>
#include <QString>

#include <memory>
#include <optional>

class QLabel;
class QTimer;
class QTabWidget;
class ov_database;
class ov_favorite_engine;
class ov_library;
class ov_listening_history;
class ov_playlist;
class ov_playlist_item;
class ov_track;
class ovg_controller_abstract;
class ovg_main_actions;
class ovg_play_mode;
class ovg_playlists_area;
class ovg_statistics_window;
class ovg_table_view_tracks;
class ovgv_search_bar;

// The one window of the application: the playlists with their tables, the
// two ways of playing on two tabs, the menus and the search bar. Built in
// named steps in the order the window's parts depend on each other; it
// routes keys and view signals to the right controller and runs the flows
// that change the library and the playlists behind the progress dialog.
// Closing it stores the window state, the sorted playlists' order and every
// changed score.
class ovg_mainwindow : public QMainWindow, public ov_error_port {
  Q_OBJECT

public:
  // history: where both controllers record awards and plays (none: nothing is recorded).
  ovg_mainwindow(ov_library* library, const QString& seed, ov_database* playlists_db, ov_database* playlist_items_db,
                 ov_database* presets_db, ov_database* favorite_engine_db, ov_listening_history* history = nullptr,
                 QWidget* parent = nullptr);
  ~ovg_mainwindow() override;

  static QString window_title();

  // Shows the messages dialog when the handles reported information or
  // loading lost data (unreadable scores or presets).
  void present_startup_report(const QList<ov_database*>& handles);
  static QString startup_information(const QList<ov_database*>& handles);
  static QString startup_warning(int score_failures, bool presets_failed);

  // The parts, for the desktop bridge and for tests.
  ovg_playlists_area* playlists_area() const { return area_.get(); }
  ovg_play_mode* normal_mode() const { return normal_.get(); }
  ovg_play_mode* medley_mode() const { return medley_.get(); }
  ovg_main_actions* actions() const { return actions_; }
  QTabWidget* tab_widget() const { return tab_widget_; }
  ovgv_search_bar* search_bar() const { return search_bar_; }
  ovg_flow_runner* flow_runner() const { return flows_; }
  ov_favorite_engine* engine() const { return engine_.get(); }
  ov_listening_history* listening_history() const { return history_; }
  ovg_controller_abstract* selected_tab_controller() const { return selected_tab_controller_; }
  ovg_controller_abstract* playing_controller() const { return playing_controller_; }
  // The controller the transport actions and global keys reach.
  ovg_controller_abstract* key_target();
  ovg_play_mode* mode_of(const ovg_controller_abstract* controller) const;
  ov_playlist* selected_playlist() const;
  // The shortcut-key list "Shortcut Keys" opens, in the language chosen.
  QString keys_document() const;
  // Null until the window was first opened.
  ovg_statistics_window* statistics_window() const { return statistics_; }

  // ov_error_port
  void show_error(const QString& text) override;

public slots:
  void islot_play_new(int row);
  void islot_play_pause();
  void islot_stop();
  void islot_go_next();
  void islot_go_previous();
  void slot_table_playlists_current_item_changed(const QModelIndex& current);
  // Part of the window's slot set; no signal is connected to it.
  void slot_trunk_file_changed();
  void slot_dropped_tracks_on_playlist(const QModelIndexList& rows, int target_row);
  void islot_remove_tracks_from_selected_playlist();
  void islot_remove_tracks_from_library();
  void islot_renew_track_numbers(const QModelIndexList& rows);
  void islot_palette_normal_min_max_clicked();
  void slot_tab_widget_current_changed(int index);
  void islot_track_status_changed(ov_playlist* playlist);
  void islot_playlist_number_of_tracks_changed();
  void islot_palette_manual_medley_collapse_expand_clicked();
  void islot_palette_manual_medley_min_max_clicked();
  void islot_manual_medley_more_clicked();
  void islot_search_next_after_current_position(const QString& word);
  void islot_search_previous_after_current_position(const QString& word);
  void islot_show_search_bar();
  void islot_show_normal_palette();
  void islot_show_medley_palette();
  void islot_toggle_show_palette();
  void islot_send_key_to_tableview_track(int key);
  void islot_search_bar_hided();
  void islot_tableview_track_resized(int width);
  void islot_tableview_track_slider_moved(int position);
  void islot_select_item_in_table_track();
  void islot_select_item_in_table_track(ov_playlist* playlist, ov_playlist_item* item);
  void islot_move_focus_to_table_tracks();
  void islot_move_focus_to_table_playlist();
  void islot_play_new_on_playlist();
  void slot_add_files();
  void islot_add_files(const QStringList& paths);
  void slot_add_files_in_dirs();
  void slot_about();
  void islot_about_shortcut_keys();
  void islot_create_new_playlist();
  void islot_playlist_name_changed(ov_playlist* playlist);
  void islot_playlist_removed(int row);
  void islot_show_preferences_dialog();
  void islot_process_global_key(int key, Qt::KeyboardModifiers modifiers);
  void islot_playlist_move(int from_row, int to_row);
  void islot_move_tracks(const QModelIndexList& rows, int target_row);
  void islot_favorite_engine_levelup_clicked();
  void islot_favorite_engine_icon_double_clicked();
  void islot_controller_manual_medley_state_changed_to_playing();
  void islot_controller_normal_state_changed_to_playing();
  void islot_playlist_run_point_effect(ov_playlist* playlist, int row, int increment);
  void islot_show_statistics();
  // Shows the library playlist with exactly these tracks selected.
  void islot_select_library_tracks(const QList<int>& ids);

  // Adds the paths (files or directories) and plays the first track they
  // gave in the selected tab: what "Open With" and a second start ask for.
  void open_paths(const QStringList& paths);

protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  // Construction steps, in order.
  void load_playlists();
  void load_presets();
  void build_play_modes();
  void wire_play_mode(ovg_play_mode* mode);
  void attach_playlists();
  void wire_track_view(ovg_table_view_tracks* view, ov_playlist* playlist);
  void wire_playlist_view();
  void build_actions();
  void build_tabs();
  void build_layout();
  void restore_state();
  // Close steps.
  void store_state();

  void state_changed_to_playing(ovg_play_mode* mode);
  void play_row(ovg_controller_abstract* controller, int row);
  void set_playing_tab_bold(int index);
  void update_play_controls();
  void select_rows(ovg_table_view_tracks* view, const QList<int>& rows);
  void show_search_result(ovg_table_view_tracks* view, int row);
  QList<int> selected_rows_descending() const;
  static QList<ov_track*> tracks_at(const ov_playlist* playlist, const QList<int>& rows);
  static QString removal_subject(const QList<ov_track*>& tracks);
  static QString removal_text(const QString& question, const QString& note, const QList<ov_track*>& tracks);
  void watch_table_focus();
  std::optional<bool> table_of(const QWidget* widget) const;
  void show_message(const QString& text);
  void refresh_after_flow();
  QStringList add_paths(const QStringList& paths);
  // Runs one flow behind the progress dialog; false when another one runs.
  bool run_flow(const QString& title, qsizetype total, const ovg_flow_runner::flow& body);
  QString music_folder() const;

  ov_library* library_;
  QString seed_;
  ov_database* playlists_db_;
  ov_database* playlist_items_db_;
  ov_database* presets_db_;
  ov_database* favorite_engine_db_;
  ov_listening_history* history_;
  ov_settings_group main_group_;
  ov_settings_group window_group_;
  ov_settings_group volume_group_;
  ov_window_settings window_settings_;
  ov_general_settings general_settings_;
  ov_volume_settings volume_settings_;
  std::unique_ptr<ov_favorite_engine> engine_;
  QList<ov_medley_preset> presets_;
  bool presets_failed_ = false;
  std::unique_ptr<ovg_playlists_area> area_;
  std::unique_ptr<ovg_play_mode> normal_;
  std::unique_ptr<ovg_play_mode> medley_;
  ovg_main_actions* actions_ = nullptr;
  QTabWidget* tab_widget_ = nullptr;
  QLabel* message_ = nullptr;  // the last message, beside the play tabs
  QTimer* message_timer_ = nullptr;
  ovgv_search_bar* search_bar_ = nullptr;
  ovg_flow_runner* flows_ = nullptr;
  ovg_statistics_window* statistics_ = nullptr;  // a child window, made on first use
  ovg_controller_abstract* selected_tab_controller_ = nullptr;
  ovg_controller_abstract* playing_controller_ = nullptr;
  bool changing_tab_ = false;
  bool tracks_had_focus_ = false;  // the track table was the last table with the focus
  bool close_pending_ = false;
  QStringList pending_open_;  // asked for while a flow ran
  bool stored_ = false;
};
