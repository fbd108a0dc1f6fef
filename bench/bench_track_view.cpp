// Track view figures on a 100,000-entry playlist, offscreen at 1300 x 700:
// painting one viewport while scrolling from top to bottom, toggling a
// column and restoring the header state.
#include "ov_bench_sample.h"
#include "ov_database.h"
#include "ov_library.h"
#include "ov_playlist.h"
#include "ov_rank_table.h"
#include "ov_schema.h"
#include "ov_track.h"
#include "ovd_track.h"
#include "ovg_table_view_tracks.h"
#include "ovg_tableview_tracks_hheader.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <random>
#include <vector>

using namespace ov_bench;

namespace {

constexpr int entries = 100000;
constexpr int viewports = 1000;

double percentile(std::vector<double> v, double p) {
  std::sort(v.begin(), v.end());
  const size_t at = std::min(v.size() - 1, size_t(p * double(v.size() - 1) + 0.5));
  return v[at];
}

void verdict(const char* what, double value, double target) {
  std::printf("  %-48s %9.3f ms   target < %g ms   %s\n", what, value, target, value < target ? "OK" : "OVER");
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir dir;
  std::mt19937 gen(7);
  std::printf("Orvantis track view benchmark: %d entries, 1300 x 700 (times are thread CPU time)\n", entries);

  ov_group_map albums, artists;
  ov_library library(nullptr, &albums, &artists, QStringLiteral("seed"));
  std::unique_ptr<ov_database> items_db = ov_open_database(dir.path(), QStringLiteral("playlist_items"));
  ov_playlist playlist(&library, items_db.get(), 1, QStringLiteral("bench"), 1);
  const double t_setup = ms_of([&] {
    fill_library(library, gen, 1, entries);
    items_db->begin_bulk();
    for (const QString& path : library.paths()) playlist.add_track(library.track_by_path(path));
    items_db->end_bulk();
  });
  std::printf("  setup: library and playlist (untimed part)       %9.1f ms\n", t_setup);

  ovg_table_view_tracks view(&playlist);
  view.resize(1300, 700);
  view.show();
  app.processEvents();
  QScrollBar* bar = view.verticalScrollBar();
  std::printf("  rows per viewport ~%d, scroll range 0..%d\n", view.viewport()->height() / 21, bar->maximum());

  std::vector<double> paints;
  paints.reserve(viewports);
  for (int i = 0; i < viewports; ++i) {
    bar->setValue(int(qint64(bar->maximum()) * i / (viewports - 1)));
    app.processEvents();
    paints.push_back(ms_of([&] { view.viewport()->repaint(); }));
  }
  std::printf("\nPainting one viewport while scrolling through %d viewports\n", viewports);
  verdict("median", percentile(paints, 0.5), 4);
  verdict("99th percentile", percentile(paints, 0.99), 16);
  std::printf("  %-48s %9.3f ms\n", "worst", percentile(paints, 1.0));

  std::printf("\nHeader\n");
  QAction* toggle = view.tracks_header()->column_action(ovd_track::col_count_n);
  std::vector<double> toggles;
  for (int i = 0; i < 20; ++i)
    toggles.push_back(ms_of([&] {
      toggle->trigger();
      view.viewport()->repaint();
    }));
  std::printf("  %-48s %9.3f ms (median of 20)\n", "toggle column 10 and repaint", percentile(toggles, 0.5));

  const QByteArray state = view.horizontalHeader()->saveState();
  ovg_table_view_tracks other(&playlist);
  other.resize(1300, 700);
  std::vector<double> restores;
  for (int i = 0; i < 20; ++i) restores.push_back(ms_of([&] { other.horizontalHeader()->restoreState(state); }));
  std::printf("  %-48s %9.3f ms (median of 20)\n", "restore header state on another view", percentile(restores, 0.5));
  return 0;
}
