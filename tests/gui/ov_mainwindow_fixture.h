#pragma once

#include "ov_database.h"
#include "ov_library.h"
#include "ov_schema.h"
#include "ov_test_mp3.h"
#include "ovg_main_actions.h"
#include "ovg_mainwindow.h"
#include "ovg_playlists_area.h"
#include "ovg_table_view_tracks.h"

#include <QDir>
#include <QItemSelectionModel>

#include <memory>

// One run of the program's data in the working directory: the five
// databases under conf/, the library and the window, destroyed in the
// program's order.
struct ov_mainwindow_run {
  ov_databases dbs = ov_open_databases(QStringLiteral("conf"));
  ov_group_map albums, artists;
  std::unique_ptr<ov_library> library;
  std::unique_ptr<ovg_mainwindow> window;

  ov_mainwindow_run() {
    library = std::make_unique<ov_library>(dbs.library.get(), &albums, &artists, QStringLiteral("seed"));
    window = std::make_unique<ovg_mainwindow>(library.get(), QStringLiteral("seed"), dbs.playlists.get(),
                                              dbs.playlist_items.get(), dbs.presets.get(), dbs.favorite_engine.get());
  }
  ~ov_mainwindow_run() { window.reset(); }
  ovg_playlists_area* area() const { return window->playlists_area(); }
  QAction* action(ovg_main_actions::id id) const { return window->actions()->get(id); }

  // Selects rows of the shown track view as the user would: the view takes
  // the focus.
  void select_rows(const QList<int>& rows) const {
    ovg_table_view_tracks* view = area()->selected_view();
    view->setFocus();
    view->clearSelection();
    for (int row : rows)
      view->selectionModel()->select(view->model()->index(row, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }
};

// Tone files "t00.mp3", "t01.mp3", ... in dir, tagged "Title i", "Album i % 3", "Artist".
inline bool ov_make_tagged_mp3s(const QDir& dir, int count) {
  for (int i = 0; i < count; ++i) {
    const QString path = dir.filePath(QStringLiteral("t%1.mp3").arg(i, 2, 10, QLatin1Char('0')));
    if (!ov_test::make_tone_mp3(path, ov_test::tone{3.0, 22050, 1, 300.0 + 40 * i}) ||
        !ov_test::set_tags(path, QStringLiteral("Title %1").arg(i), QStringLiteral("Album %1").arg(i % 3),
                           QStringLiteral("Artist")))
      return false;
  }
  return true;
}
