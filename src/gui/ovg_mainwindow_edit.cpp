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
#include "ov_track.h"
#include "ovg_dialog_remove_item.h"
#include "ovg_exec.h"
#include "ovg_flow_runner.h"
#include "ovg_play_mode.h"
#include "ovg_playlists_area.h"
#include "ovg_table_view_playlist.h"
#include "ovg_table_view_tracks.h"
#include "ovgv_search_bar.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <future>

namespace {
const QString log_tag = QStringLiteral("mainwindow");

constexpr int message_ms = 15000;
// How long an add waits for the scan of its paths before it shows the
// progress dialog.
constexpr int quick_scan_ms = 30;
// How many titles a confirmation lists before "and N more".
constexpr qsizetype named_titles = 3;

QList<int> rows_of(const QModelIndexList& indexes) {
  QList<int> rows;
  for (const QModelIndex& i : indexes) rows << i.row();
  return rows;
}

// A track's title, or its file name without extension when it has none.
QString title_of(const ov_track* track) {
  const QString title = track->tags().title();
  return title.isEmpty() ? QFileInfo(track->tags().file_path()).completeBaseName() : title;
}
}  // namespace

// Which table a widget works on: true the track table (the search bar
// steers it), false the playlist table (or its name editor), none for the
// rest of the window (menus, the menu bar, the palettes).
std::optional<bool> ovg_mainwindow::table_of(const QWidget* widget) const {
  if (!widget || !area_ || widget->window() != this) return std::nullopt;  // !area_: closing
  for (const QWidget* w = widget; w; w = w->parentWidget())
    if (qobject_cast<const ovg_table_view_tracks*>(w) || w == search_bar_) return true;
  if (area_->splitter()->isAncestorOf(widget)) return false;
  return std::nullopt;
}

void ovg_mainwindow::watch_table_focus() {
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    if (const std::optional<bool> tracks = table_of(now)) tracks_had_focus_ = *tracks;
  });
}

void ovg_mainwindow::show_message(const QString& text) {
  message_->setText(text);
  message_timer_->start(message_ms);
}

// What a confirmation names: one track by its title, more as "N tracks".
QString ovg_mainwindow::removal_subject(const QList<ov_track*>& tracks) {
  if (tracks.size() == 1) return tr("\"%1\"").arg(title_of(tracks.first()));
  return tr("%L1 tracks").arg(tracks.size());
}

// The question, for more than one track the first few titles, then the
// note. The tracks come highest row first, as the flows take them; the
// titles are named from the top row down, as the table shows them.
QString ovg_mainwindow::removal_text(const QString& question, const QString& note, const QList<ov_track*>& tracks) {
  QStringList lines{question};
  if (tracks.size() > 1) {
    QStringList titles;
    for (auto t = tracks.crbegin(); t != tracks.crend() && titles.size() < named_titles; ++t)
      titles << tr("\"%1\"").arg(title_of(*t));
    QString list = titles.join(tr(", "));
    if (tracks.size() > named_titles) list += tr(" and %L1 more").arg(tracks.size() - named_titles);
    lines << list;
  }
  lines << note;
  return lines.join(QLatin1Char('\n'));
}

// The tables do not repaint while a flow changes their playlists, and their
// models are not told item by item: every view is reset once when it ends.
bool ovg_mainwindow::run_flow(const QString& title, qsizetype total, const ovg_flow_runner::flow& body) {
  if (flows_->is_running()) return false;
  area_->splitter()->setUpdatesEnabled(false);
  const bool ran = flows_->run(title, total, body);
  refresh_after_flow();
  area_->splitter()->setUpdatesEnabled(true);
  return ran;
}

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

// A destructive action takes the rows selected in the shown track table,
// and only while that table has the focus, or had it last when a menu or a
// palette has it now: a selection left in the track table while the user
// works in the playlist table is not taken.
QList<int> ovg_mainwindow::selected_rows_descending() const {
  const bool tracks = table_of(focusWidget()).value_or(tracks_had_focus_);
  ovg_table_view_tracks* view = tracks ? area_->selected_view() : nullptr;
  QList<int> rows = view ? rows_of(view->selected_rows()) : QList<int>();
  std::sort(rows.begin(), rows.end(), std::greater<int>());
  return rows;
}

QList<ov_track*> ovg_mainwindow::tracks_at(const ov_playlist* playlist, const QList<int>& rows) {
  QList<ov_track*> tracks;
  for (int row : rows)
    if (ov_track* t = playlist->track_at(row)) tracks << t;
  return tracks;
}

// ---- adding -------------------------------------------------------------------

void ovg_mainwindow::slot_add_files() {
  const QStringList files = QFileDialog::getOpenFileNames(
      this, tr("Select Music Files"), music_folder(), tr("Music files (*.mp3 *.flac *.opus *.ogg *.oga *.m4a *.wav)"));
  if (!files.isEmpty()) islot_add_files(files);
}

void ovg_mainwindow::slot_add_files_in_dirs() {
  const QString dir = QFileDialog::getExistingDirectory(this, tr("Select Dirs to Add"), music_folder());
  if (!dir.isEmpty()) islot_add_files({dir});
}

void ovg_mainwindow::islot_add_files(const QStringList& paths) {
  add_paths(paths);
}

// The files behind the paths are found on a thread of their own. A scan that
// ends at once goes on as it always did (without a dialog when it found no
// music); a longer one goes on behind the progress dialog, which counts once
// the files are known, so that the window keeps its events meanwhile.
// Added are the new entries of the shown playlist; skipped the files handled
// that the library did not take (unreadable, or no music at all) and the
// names in added directories that are not text. Returns the files found.
QStringList ovg_mainwindow::add_paths(const QStringList& paths) {
  if (flows_->is_running()) return {};
  struct found {
    QStringList files;
    qsizetype unreadable = 0;
  };
  std::future<found> scan = std::async(std::launch::async, [paths] {
    found f;
    f.files = ov_playlist_flows::expand_paths(paths, &f.unreadable);
    return f;
  });
  found f;
  const bool quick = scan.wait_for(std::chrono::milliseconds(quick_scan_ms)) == std::future_status::ready;
  if (quick) f = scan.get();
  const QString report = tr("%L1 added, %L2 skipped (not music)");
  if (quick && f.files.isEmpty()) {
    if (f.unreadable > 0) show_message(report.arg(0).arg(f.unreadable));
    return {};
  }
  ov_playlist* selected = selected_playlist();
  const ov_playlist* shown = selected ? selected : area_->library_playlist();
  const qsizetype before = shown ? shown->count() : 0;
  const qint64 added_time = QDateTime::currentSecsSinceEpoch();
  ov_flow_result result;
  const bool ran = run_flow(tr("Adding Tracks"), quick ? f.files.size() : -1, [&](const auto& progress) {
    if (!quick) {
      // A cancel meanwhile is seen after the first file, as one made while
      // a scan held the window was.
      const auto tick = std::chrono::milliseconds(ovg_flow_runner::events_interval_ms);
      while (scan.wait_for(tick) != std::future_status::ready) flows_->keep_alive();
      f = scan.get();
      flows_->set_total(f.files.size());
      if (f.files.isEmpty()) return;
    }
    result = ov_playlist_flows::add_files(library_, area_->library_playlist(), selected, f.files, added_time, progress);
  });
  if (!ran) return {};
  if (result.stopped) {
    show_error(ov_playlist_flows::stopped_text(result));
    return f.files;
  }
  qsizetype skipped = f.unreadable;
  for (qsizetype i = 0; i < result.done; ++i)
    if (!library_->contains_path(f.files.at(i))) ++skipped;
  const qsizetype added = (shown ? shown->count() : 0) - before;
  if (!f.files.isEmpty() || skipped > 0) show_message(report.arg(added).arg(skipped));
  return f.files;
}

void ovg_mainwindow::open_paths(const QStringList& paths) {
  if (flows_->is_running()) {
    pending_open_ << paths;
    return;
  }
  ov_playlist* playlist = selected_playlist();
  if (!playlist) return;
  const QStringList files = add_paths(paths);
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
  const QList<ov_track*> tracks = tracks_at(source, rows_of(rows));
  run_flow(tr("Adding Tracks"), tracks.size(),
           [&](const auto& progress) { ov_playlist_flows::copy_tracks(target, target_row, tracks, progress); });
}

// ---- removing -----------------------------------------------------------------

void ovg_mainwindow::islot_remove_tracks_from_selected_playlist() {
  ov_playlist* playlist = selected_playlist();
  const QList<int> rows = selected_rows_descending();
  if (!playlist || playlist == area_->library_playlist() || rows.isEmpty()) {
    ov_playlist_flows::remove_rows(playlist, rows, nullptr);  // logs, changes nothing
    if (playlist && playlist != area_->library_playlist()) show_message(tr("Select tracks in the track table first."));
    return;
  }
  const QList<ov_track*> tracks = tracks_at(playlist, rows);
  ovg_dialog_remove_item dialog(
      tr("Removing selected tracks from the playlist"),
      removal_text(tr("Remove %1 from the playlist \"%2\"?").arg(removal_subject(tracks), playlist->name()),
                   tr("The tracks stay in the library."), tracks),
      this);
  if (ovg_exec(&dialog) != QDialog::Accepted) return;
  run_flow(tr("Removing Tracks"), rows.size(),
           [&](const auto& progress) { ov_playlist_flows::remove_rows(playlist, rows, progress); });
}

void ovg_mainwindow::islot_remove_tracks_from_library() {
  ov_playlist* playlist = selected_playlist();
  const QList<int> rows = selected_rows_descending();
  if (!playlist || rows.isEmpty()) {
    show_message(tr("Select tracks in the track table first."));
    return;
  }
  const QList<ov_track*> tracks = tracks_at(playlist, rows);
  ovg_dialog_remove_item dialog(tr("Removing selected track from the library"),
                                removal_text(tr("Remove %1 from the library?").arg(removal_subject(tracks)),
                                             tr("Score info will be removed too."), tracks),
                                this);
  if (ovg_exec(&dialog) != QDialog::Accepted) return;
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
