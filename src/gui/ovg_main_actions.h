#pragma once

#include <QObject>

#include <array>

class QAction;
class QMenuBar;
class QWidget;

// Every action of the main window, made once from one table with its text,
// shortcut and menu place. The window connects the ones it answers.
class ovg_main_actions : public QObject {
  Q_OBJECT

public:
  enum id : int {
    add_files,
    add_dirs,
    create_new_playlist,
    exit,
    select_all,
    delete_from_playlist,
    delete_from_library,
    search_track,
    remove_dead_tracks,
    remove_duplicated_tracks,
    show_normal_palette,
    show_medley_palette,
    toggle_palette,
    focus_playlist_table,
    focus_track_table,
    toggle_normal_min_max,
    toggle_shuffle_min_max,
    toggle_shuffle_control,
    play_selected,
    move_cursor,
    play_pause,
    stop,
    go_previous,
    go_next,
    volume_up,
    volume_down,
    volume_mute,
    play_normal,
    play_normal_repeat,
    play_shuffle,
    play_shuffle_repeat,
    play_random,
    play_single_repeat,
    select_high_scored,
    select_middle_scored,
    select_low_scored,
    select_random,
    preferences,
    about,
    shortcut_keys,
    statistics,
    count
  };

  // The actions are children of `owner`, so their shortcuts work in its window.
  explicit ovg_main_actions(QWidget* owner);

  QAction* get(id which) const { return actions_[which]; }
  // The six menus in order, each with its actions and separators.
  void build_menus(QMenuBar* bar) const;

private:
  std::array<QAction*, count> actions_{};
};
