#include "ovg_main_actions.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenuBar>
#include <QWidget>

namespace {

struct action_row {
  ovg_main_actions::id id;
  const char* text;
  const char* shortcut;
};

constexpr const char* context = "ovg_main_actions";

// Texts and shortcuts of every action, in table order.
const action_row action_rows[] = {
    {ovg_main_actions::add_files, QT_TRANSLATE_NOOP("ovg_main_actions", "Add &Files"), nullptr},
    {ovg_main_actions::add_dirs, QT_TRANSLATE_NOOP("ovg_main_actions", "Add &Dirs"), nullptr},
    {ovg_main_actions::create_new_playlist, QT_TRANSLATE_NOOP("ovg_main_actions", "Create New Playlist"), "Ctrl+N"},
    {ovg_main_actions::exit, QT_TRANSLATE_NOOP("ovg_main_actions", "E&xit"), "Alt+F4"},
    {ovg_main_actions::select_all, QT_TRANSLATE_NOOP("ovg_main_actions", "Select All"), nullptr},
    {ovg_main_actions::delete_from_playlist, QT_TRANSLATE_NOOP("ovg_main_actions", "Delete track from Playlist"),
     nullptr},
    {ovg_main_actions::delete_from_library, QT_TRANSLATE_NOOP("ovg_main_actions", "Delete track from Library"),
     nullptr},
    {ovg_main_actions::search_track, QT_TRANSLATE_NOOP("ovg_main_actions", "Search Track"), "Ctrl+F"},
    {ovg_main_actions::remove_dead_tracks, QT_TRANSLATE_NOOP("ovg_main_actions", "Remove Dead Tracks in Selected"),
     nullptr},
    {ovg_main_actions::remove_duplicated_tracks,
     QT_TRANSLATE_NOOP("ovg_main_actions", "Remove Duplicated Tracks in Selected"), nullptr},
    {ovg_main_actions::show_normal_palette, QT_TRANSLATE_NOOP("ovg_main_actions", "Show &Normal Palette"), nullptr},
    {ovg_main_actions::show_medley_palette, QT_TRANSLATE_NOOP("ovg_main_actions", "Show &Medley Palette"), nullptr},
    {ovg_main_actions::toggle_palette, QT_TRANSLATE_NOOP("ovg_main_actions", "&Toggle Normal / Medley Palette"),
     "Ctrl+Tab"},
    {ovg_main_actions::focus_playlist_table, QT_TRANSLATE_NOOP("ovg_main_actions", "Set Focus to &Playlist Table"),
     nullptr},
    {ovg_main_actions::focus_track_table, QT_TRANSLATE_NOOP("ovg_main_actions", "Set Focus to T&rack Table"), nullptr},
    {ovg_main_actions::toggle_normal_min_max, QT_TRANSLATE_NOOP("ovg_main_actions", "Toggle Max / Min Normal Palette"),
     nullptr},
    {ovg_main_actions::toggle_shuffle_min_max,
     QT_TRANSLATE_NOOP("ovg_main_actions", "Toggle Max / Min Shuffle Palette"), nullptr},
    {ovg_main_actions::toggle_shuffle_control,
     QT_TRANSLATE_NOOP("ovg_main_actions", "Toggle Show / Hide Shuffle Control Menu"), nullptr},
    {ovg_main_actions::play_selected, QT_TRANSLATE_NOOP("ovg_main_actions", "Play S&elected Track"), nullptr},
    {ovg_main_actions::move_cursor, QT_TRANSLATE_NOOP("ovg_main_actions", "Move &Cursor to Current One"), "Ctrl+L"},
    {ovg_main_actions::play_pause, QT_TRANSLATE_NOOP("ovg_main_actions", "&Play / Pause"), " "},
    {ovg_main_actions::stop, QT_TRANSLATE_NOOP("ovg_main_actions", "&Stop"), nullptr},
    {ovg_main_actions::go_previous, QT_TRANSLATE_NOOP("ovg_main_actions", "Go P&revious"), "Ctrl+Left"},
    {ovg_main_actions::go_next, QT_TRANSLATE_NOOP("ovg_main_actions", "Go &Next"), "Ctrl+Right"},
    {ovg_main_actions::volume_up, QT_TRANSLATE_NOOP("ovg_main_actions", "Volume &Up"), nullptr},
    {ovg_main_actions::volume_down, QT_TRANSLATE_NOOP("ovg_main_actions", "Volume &Down"), nullptr},
    {ovg_main_actions::volume_mute, QT_TRANSLATE_NOOP("ovg_main_actions", "Volume &Mute"), nullptr},
    {ovg_main_actions::play_normal, QT_TRANSLATE_NOOP("ovg_main_actions", "&Normal"), nullptr},
    {ovg_main_actions::play_normal_repeat, QT_TRANSLATE_NOOP("ovg_main_actions", "&Normal + Repeat"), nullptr},
    {ovg_main_actions::play_shuffle, QT_TRANSLATE_NOOP("ovg_main_actions", "&Shuffle"), nullptr},
    {ovg_main_actions::play_shuffle_repeat, QT_TRANSLATE_NOOP("ovg_main_actions", "&Shuffle + Repeat"), nullptr},
    {ovg_main_actions::play_random, QT_TRANSLATE_NOOP("ovg_main_actions", "&Random"), nullptr},
    {ovg_main_actions::play_single_repeat, QT_TRANSLATE_NOOP("ovg_main_actions", "&Single Repeat"), nullptr},
    {ovg_main_actions::select_high_scored, QT_TRANSLATE_NOOP("ovg_main_actions", "&High Scored Ones"), nullptr},
    {ovg_main_actions::select_middle_scored, QT_TRANSLATE_NOOP("ovg_main_actions", "&Middle Scored Ones"), nullptr},
    {ovg_main_actions::select_low_scored, QT_TRANSLATE_NOOP("ovg_main_actions", "&Low Scored Ones"), nullptr},
    {ovg_main_actions::select_random, QT_TRANSLATE_NOOP("ovg_main_actions", "&Random"), nullptr},
    {ovg_main_actions::preferences, QT_TRANSLATE_NOOP("ovg_main_actions", "&Preferences"), nullptr},
    {ovg_main_actions::about, QT_TRANSLATE_NOOP("ovg_main_actions", "&About"), nullptr},
    {ovg_main_actions::shortcut_keys, QT_TRANSLATE_NOOP("ovg_main_actions", "&Shortcut Keys"), nullptr},
    {ovg_main_actions::statistics, QT_TRANSLATE_NOOP("ovg_main_actions", "S&tatistics"), "Ctrl+I"},
};
static_assert(std::size(action_rows) == ovg_main_actions::count);

// Menu entries; `separator` stands for a separator line.
constexpr int separator = -1;
struct menu_row {
  const char* title;
  std::initializer_list<int> entries;
};

}  // namespace

ovg_main_actions::ovg_main_actions(QWidget* owner) : QObject(owner) {
  for (const action_row& row : action_rows) {
    auto* action = new QAction(QCoreApplication::translate(context, row.text), owner);
    if (row.shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(row.shortcut)));
    actions_[row.id] = action;
  }
}

void ovg_main_actions::build_menus(QMenuBar* bar) const {
  const menu_row menus[] = {
      {QT_TRANSLATE_NOOP("ovg_main_actions", "&File"),
       {add_files, add_dirs, separator, create_new_playlist, separator, exit}},
      {QT_TRANSLATE_NOOP("ovg_main_actions", "&Edit"),
       {delete_from_playlist, delete_from_library, separator, search_track}},
      {QT_TRANSLATE_NOOP("ovg_main_actions", "&View"), {toggle_palette}},
      {QT_TRANSLATE_NOOP("ovg_main_actions", "&Playback"),
       {move_cursor, separator, play_pause, stop, go_previous, go_next}},
      {QT_TRANSLATE_NOOP("ovg_main_actions", "&Tool"), {statistics, separator, preferences}},
      // The key list sits beside About so that it can be found.
      {QT_TRANSLATE_NOOP("ovg_main_actions", "&Help"), {about, shortcut_keys}},
  };
  for (const menu_row& row : menus) {
    QMenu* menu = bar->addMenu(QCoreApplication::translate(context, row.title));
    for (int entry : row.entries) {
      if (entry == separator)
        menu->addSeparator();
      else
        menu->addAction(actions_[entry]);
    }
  }
}
