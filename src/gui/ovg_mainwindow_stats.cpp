// The main window's side of the Statistics window: opening it, telling it
// when the library changed, and selecting the tracks it asks for.
#include "ov_favorite_engine.h"
#include "ov_listening_history.h"
#include "ov_model.h"
#include "ov_playlist.h"
#include "ov_track.h"
#include "ovg_mainwindow.h"
#include "ovg_playlists_area.h"
#include "ovg_statistics_window.h"
#include "ovg_table_view_tracks.h"

#include <QItemSelection>
#include <QSet>

void ovg_mainwindow::islot_show_statistics() {
  if (!statistics_) {
    statistics_ = new ovg_statistics_window(library_, history_ ? history_->database() : nullptr, this);
    ovg_statistics_window* w = statistics_;
    // Every credited award changes the engine's status; adding and removing
    // tracks runs as a flow or changes the library playlist.
    connect(engine_.get(), &ov_favorite_engine::esignal_status_changed, w,
            &ovg_statistics_window::eslot_library_changed);
    connect(flows_, &ovg_flow_runner::esignal_finished, w, &ovg_statistics_window::eslot_library_changed);
    if (ov_playlist* library = area_->library_playlist())
      connect(library, &ov_playlist::esignal_number_of_tracks_changed, w,
              &ovg_statistics_window::eslot_library_changed);
    connect(w, &ovg_statistics_window::esignal_select_tracks, this, &ovg_mainwindow::islot_select_library_tracks);
  }
  statistics_->show();
  statistics_->raise();
  statistics_->activateWindow();
}

// One selection of row ranges, so that thousands of rows select at once.
void ovg_mainwindow::islot_select_library_tracks(const QList<int>& ids) {
  ov_playlist* library = area_->library_playlist();
  if (!library) return;
  area_->select_row(0);
  ovg_table_view_tracks* view = area_->view_of(library);
  if (!view) return;
  const QSet<int> wanted(ids.begin(), ids.end());
  QItemSelection selection;
  const int columns = view->track_model()->columnCount();
  int first = -1, start = -1;
  const int count = library->count();
  for (int row = 0; row <= count; ++row) {
    const ov_track* t = row < count ? library->track_at(row) : nullptr;
    const bool in = t && wanted.contains(t->id());
    if (in && start < 0) start = row;
    if (!in && start >= 0) {
      selection.select(view->track_model()->index(start, 0), view->track_model()->index(row - 1, columns - 1));
      if (first < 0) first = start;
      start = -1;
    }
  }
  view->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  if (first >= 0) {
    view->selectionModel()->setCurrentIndex(view->track_model()->index(first, 0), QItemSelectionModel::NoUpdate);
    view->scrollTo(view->track_model()->index(first, 0));
  }
  raise();
  activateWindow();
}
