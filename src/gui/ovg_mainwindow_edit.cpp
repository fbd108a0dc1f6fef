// The main window's editing flows: adding, copying, removing, renumbering
// and moving tracks, and the list of playlists. The work itself is done by
// ov_playlist_flows; the window confirms, runs it behind the progress dialog
// and refreshes its views.
#include "ovg_mainwindow.h"

#include "ov_library.h"
#include "ov_log.h"
#include "ov_model.h"
#include "ov_model_playlist.h"
#include "ov_playlist.h"
#include "ov_playlist_flows.h"
#include "ovg_dialog_remove_item.h"
#include "ovg_exec.h"
#include "ovg_flow_runner.h"
#include "ovg_play_mode.h"
#include "ovg_playlists_area.h"
#include "ovg_table_view_playlist.h"
#include "ovg_table_view_tracks.h"

#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

#include <algorithm>

namespace {
const QString log_tag = QStringLiteral("mainwindow");

QList<int> rows_of(const QModelIndexList& indexes) {
  QList<int> rows;
  for (const QModelIndex& i : indexes) rows << i.row();
  return rows;
}
}  // namespace

bool ovg_mainwindow::run_flow(const QString& title, qsizetype total, const ovg_flow_runner::flow& body) {
  const bool ran = flows_->run(title, total, body);
  if (ran) refresh_after_flow();
  return ran;
}

// Views were not reset item by item during the batch; now every view shows
// its playlist again.
void ovg_mainwindow::refresh_after_flow() {
  for (ov_playlist* playlist : area_->playlists())
    if (ovg_table_view_tracks* view = area_->view_of(playlist)) view->eslot_item_count_changed();
  area_->model()->reset();
  area_->select_row(area_->selected_row());
  update_play_controls();
}

void ovg_mainwindow::islot_playlist_number_of_tracks_changed() {
  if (flows_->is_running()) return;  // refreshed once when the flow ends
  if (auto* playlist = qobject_cast<ov_playlist*>(sender()))
    if (ovg_table_view_tracks* view = area_->view_of(playlist)) view->eslot_item_count_changed();
  update_play_controls();
}

QString ovg_mainwindow::music_folder() const {
  const QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
  return QDir(music).exists() ? music : QDir::homePath();
}

QList<int> ovg_mainwindow::selected_rows_descending() const {
  ovg_table_view_tracks* view = area_->selected_view();
  QList<int> rows = view ? rows_of(view->selected_rows()) : QList<int>();
  std::sort(rows.begin(), rows.end(), std::greater<int>());
  return rows;
}

// ---- adding -------------------------------------------------------------------

void ovg_mainwindow::slot_add_files() {
  const QStringList files =
      QFileDialog::getOpenFileNames(this, tr("Select Music Files"), music_folder(), tr("MP3 (*.mp3)"));
  if (!files.isEmpty()) islot_add_files(files);
}

void ovg_mainwindow::slot_add_files_in_dirs() {
  const QString dir = QFileDialog::getExistingDirectory(this, tr("Select Dirs to Add"), music_folder());
  if (!dir.isEmpty()) islot_add_files({dir});
}

void ovg_mainwindow::islot_add_files(const QStringList& paths) {
  add_expanded(ov_playlist_flows::expand_paths(paths));
}

void ovg_mainwindow::add_expanded(const QStringList& files) {
  if (files.isEmpty()) return;
  ov_playlist* selected = selected_playlist();
  const qint64 added_time = QDateTime::currentSecsSinceEpoch();
  run_flow(tr("Adding Tracks"), files.size(), [&](const auto& progress) {
    ov_playlist_flows::add_files(library_, area_->library_playlist(), selected, files, added_time, progress);
  });
}

void ovg_mainwindow::open_paths(const QStringList& paths) {
  if (flows_->is_running()) {
    pending_open_ << paths;
    return;
  }
  ov_playlist* playlist = selected_playlist();
  if (!playlist) return;
  const QStringList files = ov_playlist_flows::expand_paths(paths);
  add_expanded(files);
  // The first file that made it into the library, as its entry in the shown playlist.
  for (const QString& file : files) {
    const int row = playlist->index_of_track(library_->track_by_path(file));
    if (row < 0) continue;
    islot_play_new(row);
    return;
  }
}

void ovg_mainwindow::slot_dropped_tracks_on_playlist(const QModelIndexList& rows, int target_row) {
  ov_playlist* source = selected_playlist();
  ov_playlist* target = area_->playlist_at(target_row);
  if (!source || !target || rows.isEmpty()) return;
  QList<ov_track*> tracks;
  for (int row : rows_of(rows))
    if (ov_track* t = source->track_at(row)) tracks << t;
  run_flow(tr("Adding Tracks"), tracks.size(),
           [&](const auto& progress) { ov_playlist_flows::copy_tracks(target, target_row, tracks, progress); });
}

// ---- removing -----------------------------------------------------------------

void ovg_mainwindow::islot_remove_tracks_from_selected_playlist() {
  ov_playlist* playlist = selected_playlist();
  const QList<int> rows = selected_rows_descending();
  if (!playlist || playlist == area_->library_playlist() || rows.isEmpty()) {
    ov_playlist_flows::remove_rows(playlist, rows, nullptr);  // logs, changes nothing
    return;
  }
  run_flow(tr("Removing Tracks"), rows.size(),
           [&](const auto& progress) { ov_playlist_flows::remove_rows(playlist, rows, progress); });
}

void ovg_mainwindow::islot_remove_tracks_from_library() {
  ov_playlist* playlist = selected_playlist();
  const QList<int> rows = selected_rows_descending();
  if (!playlist || rows.isEmpty()) return;
  ovg_dialog_remove_item dialog(tr("Removing selected track from the library"),
                                tr("Are you sure to remove selected tracks from library?\nScore info will be "
                                   "removed too."),
                                this);
  if (ovg_exec(&dialog) != QDialog::Accepted) return;
  QList<ov_track*> tracks;
  for (int row : rows)
    if (ov_track* t = playlist->track_at(row)) tracks << t;
  run_flow(tr("Removing Tracks"), tracks.size(), [&](const auto& progress) {
    ov_playlist_flows::remove_from_library(library_, area_->playlists(), tracks, progress);
  });
}

// ---- renumbering and moving ---------------------------------------------------

void ovg_mainwindow::islot_renew_track_numbers(const QModelIndexList& rows) {
  ov_playlist* playlist = selected_playlist();
  if (!playlist || rows.isEmpty()) return;
  const QList<int> list = rows_of(rows);
  run_flow(tr("Renewing Track #s"), list.size(),
           [&](const auto& progress) { ov_playlist_flows::renew_numbers(playlist, list, progress); });
}

void ovg_mainwindow::islot_move_tracks(const QModelIndexList& rows, int target_row) {
  ov_playlist* playlist = selected_playlist();
  ovg_table_view_tracks* view = area_->selected_view();
  if (!playlist || !view || rows.isEmpty() || flows_->is_running()) return;
  const QList<int> moved = ov_playlist_flows::move_tracks(playlist, rows_of(rows), target_row);
  view->track_model()->reset();
  select_rows(view, moved);
}

// ---- the list of playlists ----------------------------------------------------

void ovg_mainwindow::islot_create_new_playlist() {
  if (flows_->is_running()) return;
  ov_playlist* playlist =
      ov_playlist_flows::create_playlist(area_->playlists(), library_, playlists_db_, playlist_items_db_, area_.get());
  area_->attach(playlist);
  area_->model()->reset();
  area_->select_row(area_->row_of(playlist));
  area_->playlist_view()->islot_rename_playlist();
}

void ovg_mainwindow::islot_playlist_name_changed(ov_playlist* playlist) {
  ov_playlist_flows::rename_playlist(playlists_db_, playlist);
}

void ovg_mainwindow::islot_playlist_move(int from_row, int to_row) {
  if (flows_->is_running() || !ov_playlist_flows::move_playlist(area_->playlists(), playlists_db_, from_row, to_row))
    return;
  area_->model()->reset();
  area_->select_row(to_row);
}

void ovg_mainwindow::islot_playlist_removed(int row) {
  if (flows_->is_running()) return;
  ov_playlist_flows::removed_playlist gone = ov_playlist_flows::remove_playlist(area_->playlists(), playlists_db_, row);
  if (!gone.removed) return;
  area_->detach(gone.removed.get());
  if (area_->model()->playing_playlist() == gone.removed.get()) area_->model()->set_playing_playlist(nullptr);
  area_->model()->reset();
  gone.removed.release()->deleteLater();
  area_->select_row(gone.select_row);
  slot_table_playlists_current_item_changed(area_->model()->index(gone.select_row, 1));
}
