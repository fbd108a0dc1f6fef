// The main window's routing of play commands, keys, tabs and search.
#include "ovg_mainwindow.h"

#include "ov_log.h"
#include "ov_model.h"
#include "ov_model_playlist.h"
#include "ov_playlist.h"
#include "ov_playlist_item.h"
#include "ov_random.h"
#include "ov_track.h"
#include "ovg_controller_abstract.h"
#include "ovg_main_actions.h"
#include "ovg_play_mode.h"
#include "ovg_playlists_area.h"
#include "ovg_point_effect.h"
#include "ovg_table_view_playlist.h"
#include "ovg_table_view_tracks.h"
#include "ovgv_next_tracks.h"
#include "ovgv_pc_normal.h"
#include "ovgv_search_bar.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QTabWidget>

namespace {
const QString log_tag = QStringLiteral("mainwindow");
const QString bold_first =
    QStringLiteral("QTabBar::tab { height: 24px; font: normal;}QTabBar::tab::first { font: bold;}");
const QString bold_last =
    QStringLiteral("QTabBar::tab { height: 24px; font: normal;}QTabBar::tab::last { font: bold;}");
}  // namespace

ov_playlist* ovg_mainwindow::selected_playlist() const {
  return area_->selected();
}

ovg_play_mode* ovg_mainwindow::mode_of(const ovg_controller_abstract* controller) const {
  if (controller == normal_->controller()) return normal_.get();
  if (controller == medley_->controller()) return medley_.get();
  return nullptr;
}

ovg_controller_abstract* ovg_mainwindow::key_target() {
  // The setting is read only once something played, so a window that only
  // shows its play controls leaves main.ini as it was.
  if (playing_controller_ && general_settings_.control_key_sent_to.read() == ov_general_settings::playing)
    return playing_controller_;
  return selected_tab_controller_;
}

// ---- playing ------------------------------------------------------------------

// The playing playlist and the playing controller change when the
// controller reports that it plays (state_changed_to_playing), not here.
void ovg_mainwindow::islot_play_new(int row) {
  ov_log_write(ov_log::DEBUG, log_tag, QStringLiteral("double clicked: row = ") + QString::number(row));
  play_row(selected_tab_controller_, row);
}

void ovg_mainwindow::play_row(ovg_controller_abstract* controller, int row) {
  if (ov_playlist* playlist = selected_playlist(); playlist && controller) controller->islot_play_new(playlist, row);
}

// From a controller that was asked to play with nothing to resume, that
// controller starts; from the playlist view, the selected tab's.
void ovg_mainwindow::islot_play_new_on_playlist() {
  auto* controller = qobject_cast<ovg_controller_abstract*>(sender());
  if (!controller) controller = selected_tab_controller_;
  ov_playlist* playlist = selected_playlist();
  if (!playlist || playlist->count() == 0 || !controller) return;
  const bool random_start = mode_of(controller)->play_control()->is_shuffle_or_random();
  play_row(controller, random_start ? ov_random::current().between(0, playlist->count() - 1) : 0);
}

void ovg_mainwindow::islot_play_pause() {
  if (ovg_controller_abstract* c = key_target()) c->islot_toggle_play_pause();
}

void ovg_mainwindow::islot_stop() {
  if (ovg_controller_abstract* c = key_target()) c->islot_stop();
}

void ovg_mainwindow::islot_go_next() {
  if (ovg_controller_abstract* c = key_target()) c->islot_go_next();
}

void ovg_mainwindow::islot_go_previous() {
  if (ovg_controller_abstract* c = key_target()) c->islot_go_previous();
}

void ovg_mainwindow::islot_process_global_key(int key, Qt::KeyboardModifiers modifiers) {
  const bool ctrl_only = (modifiers & ~Qt::KeypadModifier) == Qt::ControlModifier;
  if (key == Qt::Key_Space)
    islot_play_pause();
  else if (key == Qt::Key_Left && ctrl_only)
    islot_go_previous();
  else if (key == Qt::Key_Right && ctrl_only)
    islot_go_next();
  else if (key == Qt::Key_Tab && ctrl_only)
    islot_toggle_show_palette();
}

void ovg_mainwindow::islot_controller_normal_state_changed_to_playing() {
  ov_log_write(ov_log::DEBUG, log_tag, QStringLiteral("islot_controller_normal_state_changed_to_playing"));
  state_changed_to_playing(normal_.get());
}

void ovg_mainwindow::islot_controller_manual_medley_state_changed_to_playing() {
  ov_log_write(ov_log::DEBUG, log_tag, QStringLiteral("islot_controller_manual_medley_state_changed_to_playing"));
  state_changed_to_playing(medley_.get());
}

// Only one mode plays at a time: the other stops (its pool takes the
// playing mark from its entry), the playing controller and its playlist are
// what the window shows as playing, and the playing mode's tab title turns
// bold. The only place that sets the playing controller and playlist.
void ovg_mainwindow::state_changed_to_playing(ovg_play_mode* mode) {
  ovg_controller_abstract* playing = mode->controller();
  ovg_play_mode* other = mode == normal_.get() ? medley_.get() : normal_.get();
  other->controller()->islot_stop_for_other(playing->selected_item());
  playing_controller_ = playing;
  area_->model()->set_playing_playlist(playing->playlist());
  area_->model()->reset();
  if (playing->playlist()) islot_track_status_changed(playing->playlist());
  set_playing_tab_bold(mode == normal_.get() ? 0 : 1);
  update_play_controls();
}

void ovg_mainwindow::set_playing_tab_bold(int index) {
  tab_widget_->setStyleSheet(index == 0 ? bold_first : bold_last);
}

// Scores, ranks and played times move with the status marks, so the whole
// visible table is repainted, not only the mark column.
void ovg_mainwindow::islot_track_status_changed(ov_playlist* playlist) {
  if (ovg_table_view_tracks* view = area_->view_of(playlist)) view->track_model()->refresh_all();
  ov_log_write(ov_log::DEBUG, log_tag, QStringLiteral("reset_status_sign"));
}

void ovg_mainwindow::islot_playlist_run_point_effect(ov_playlist* playlist, int row, int increment) {
  ovg_table_view_tracks* view = area_->view_of(playlist);
  if (!view || row < 0 || row >= playlist->count()) return;
  const QRect cell = view->visualRect(view->track_model()->index(row, ov_playlist::column_score));
  if (!cell.isValid() || !view->viewport()->rect().intersects(cell)) return;
  ovg_point_effect::run(view->viewport(), cell.center(), increment);
}

// ---- tabs and palettes --------------------------------------------------------

void ovg_mainwindow::slot_tab_widget_current_changed(int index) {
  if (changing_tab_ || index < 0) return;
  changing_tab_ = true;
  ov_log_write(ov_log::DEBUG, log_tag, QStringLiteral("tab changed to") + QString::number(index));
  ovg_play_mode* shown = index == 0 ? normal_.get() : medley_.get();
  ovg_play_mode* hidden = index == 0 ? medley_.get() : normal_.get();
  hidden->palette_widget()->hide();
  shown->palette_widget()->show();
  window_settings_.selected_tab.write(index);
  shown->next_tracks_view()->refresh();
  selected_tab_controller_ = shown->controller();
  update_play_controls();
  changing_tab_ = false;
}

void ovg_mainwindow::islot_show_normal_palette() {
  tab_widget_->setCurrentIndex(0);
}
void ovg_mainwindow::islot_show_medley_palette() {
  tab_widget_->setCurrentIndex(1);
}
void ovg_mainwindow::islot_toggle_show_palette() {
  tab_widget_->setCurrentIndex(1 - tab_widget_->currentIndex());
}

// ---- selection in the tables --------------------------------------------------

void ovg_mainwindow::slot_table_playlists_current_item_changed(const QModelIndex& current) {
  if (!current.isValid() || !area_->show_row(current.row())) return;
  actions_->get(ovg_main_actions::delete_from_playlist)->setEnabled(current.row() != 0);
  window_settings_.selected_playlist.write(current.row());
  update_play_controls();
}

// Play is possible for a controller with a current item to resume, or on a
// selected playlist with entries. The menu's play action follows the
// controller the keys reach.
void ovg_mainwindow::update_play_controls() {
  const bool filled = selected_playlist() && selected_playlist()->count() > 0;
  const auto can_play = [filled](const ovg_controller_abstract* c) { return filled || (c && c->selected_item()); };
  for (ovg_play_mode* mode : {normal_.get(), medley_.get()})
    mode->set_play_controls_enabled(can_play(mode->controller()));
  if (actions_) actions_->get(ovg_main_actions::play_pause)->setEnabled(can_play(key_target()));
}

void ovg_mainwindow::islot_select_item_in_table_track() {
  ovg_controller_abstract* playing = playing_controller_;
  if (!playing || !playing->selected_item() || !playing->playlist()) return;
  if (general_settings_.ctrll_follow_panel.read())
    tab_widget_->setCurrentIndex(playing == normal_->controller() ? 0 : 1);
  islot_select_item_in_table_track(playing->playlist(), playing->selected_item());
}

void ovg_mainwindow::islot_select_item_in_table_track(ov_playlist* playlist, ov_playlist_item* item) {
  const int row = playlist ? playlist->index_of(item) : -1;
  const int playlist_row = area_->row_of(playlist);
  if (row < 0 || playlist_row < 0) return;
  const ov_track* track = playlist->track_at(row);
  ov_log_write(ov_log::DEBUG, log_tag, QStringLiteral("title clicked: ") + (track ? track->tags().title() : QString()));
  area_->select_row(playlist_row);
  ovg_table_view_tracks* view = area_->view_of(playlist);
  view->clearSelection();
  view->selectRow(row);
  view->setFocus();
}

void ovg_mainwindow::islot_move_focus_to_table_tracks() {
  if (ovg_table_view_tracks* view = area_->selected_view()) view->setFocus();
}

void ovg_mainwindow::islot_move_focus_to_table_playlist() {
  area_->playlist_view()->setFocus();
}

void ovg_mainwindow::slot_trunk_file_changed() {}

// ---- search -------------------------------------------------------------------

void ovg_mainwindow::islot_show_search_bar() {
  search_bar_->eslot_parent_resized(width(), height());
  search_bar_->show();
  search_bar_->raise();
  search_bar_->focus_text_field();
}

void ovg_mainwindow::islot_search_bar_hided() {
  islot_move_focus_to_table_tracks();
}

void ovg_mainwindow::islot_search_next_after_current_position(const QString& word) {
  ov_playlist* playlist = selected_playlist();
  ovg_table_view_tracks* view = area_->selected_view();
  search_bar_->show_not_found(false);
  if (!playlist || !view || word.isEmpty()) return;
  const QModelIndex current = view->currentIndex();
  int row = playlist->search_next(word, current.isValid() ? current.row() : 0);
  if (row < 0) row = playlist->search_next(word, -1);
  show_search_result(view, row);
}

void ovg_mainwindow::islot_search_previous_after_current_position(const QString& word) {
  ov_playlist* playlist = selected_playlist();
  ovg_table_view_tracks* view = area_->selected_view();
  search_bar_->show_not_found(false);
  if (!playlist || !view || word.isEmpty()) return;
  const QModelIndex current = view->currentIndex();
  int row = playlist->search_previous(word, current.isValid() ? current.row() : playlist->count() - 1);
  if (row < 0) row = playlist->search_previous(word, playlist->count());
  show_search_result(view, row);
}

// Both passes gave -1: the selection stays and the bar says so.
void ovg_mainwindow::show_search_result(ovg_table_view_tracks* view, int row) {
  if (row >= 0)
    select_rows(view, {row});
  else
    search_bar_->show_not_found(true);
}

void ovg_mainwindow::islot_send_key_to_tableview_track(int key) {
  ovg_table_view_tracks* view = area_->selected_view();
  if (!view) return;
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QCoreApplication::sendEvent(view, &press);
}

void ovg_mainwindow::select_rows(ovg_table_view_tracks* view, const QList<int>& rows) {
  view->clearSelection();
  for (int row : rows) {
    const QModelIndex index = view->track_model()->index(row, 0);
    view->selectionModel()->select(index, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
  }
  if (!rows.isEmpty()) view->scrollTo(view->track_model()->index(rows.first(), 0));
}
