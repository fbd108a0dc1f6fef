// Playlist, table and track pool figures on a 100,000-entry playlist.
#include "ov_bench_sample.h"
#include "ov_database.h"
#include "ov_library.h"
#include "ov_playlist.h"
#include "ov_random.h"
#include "ov_rank_table.h"
#include "ov_schema.h"
#include "ov_track_pool.h"
#include "ov_track_pool_remaining_queue.h"

#include <QCoreApplication>
#include <QElapsedTimer>
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

void verdict(const char* what, double value, double target, const char* unit) {
  std::printf("  %-44s %10.3f %s   target <= %g %s   %s (%.2fx of target)\n", what, value, unit, target, unit,
              value <= target ? "OK" : "OVER", value / target);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir dir;
  ov_random_fixed fixed(20261206u);
  ov_random_scope scope(&fixed);
  std::mt19937 gen(7);

  QElapsedTimer wall;
  wall.start();
  std::printf("Orvantis playlist benchmark: %d entries (times are thread CPU time)\n", entries);

  ov_group_map albums, artists;
  ov_library library(nullptr, &albums, &artists, QStringLiteral("seed"));
  const double t_tracks = ms_of([&] { fill_library(library, gen, 1, entries); });
  std::printf("  building %d library tracks (setup)           %10.1f ms\n", entries, t_tracks);

  const QString items_path = dir.filePath(QStringLiteral("playlist_items.db"));
  auto items_db = std::make_unique<ov_database>(items_path, ov_creation_statements(QStringLiteral("playlist_items")),
                                                QStringLiteral("playlist_items"));
  double t_add = 0, t_store = 0;
  {
    ov_playlist source(&library, items_db.get(), 1, QStringLiteral("bench"), 1);
    t_add = ms_of([&] {
      items_db->begin_bulk();
      for (const QString& path : library.paths()) source.add_track(library.track_by_path(path));
      items_db->end_bulk();
    });
    source.sort_by_column(ov_playlist::column_title);
    t_store = ms_of([&] { source.store_positions(); });
  }
  std::printf("  adding %d entries in one transaction         %10.1f ms\n", entries, t_add);
  std::printf("  storing %d positions (one transaction)       %10.1f ms\n", entries, t_store);

  std::printf("\nLoading\n");
  std::unique_ptr<ov_playlist> playlist;
  const double t_load = best_ms(
      3, [&] { playlist.reset(); },
      [&] { playlist = std::make_unique<ov_playlist>(&library, items_db.get(), 1, QStringLiteral("bench"), 1); });
  std::printf("  loaded %d entries\n", playlist->count());
  verdict("load playlist from playlist_items.db", t_load, 300, "ms");

  std::printf("\nSorting (each sortable column; ascending from the loaded order, then the toggle)\n");
  const int sortable[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 16};
  double worst_sort = 0;
  for (int column : sortable) {
    // Each run starts from the stored order (untimed reload).
    const sort_figures f = best_sorts(
        3, [&] { playlist = std::make_unique<ov_playlist>(&library, items_db.get(), 1, QStringLiteral("bench"), 1); },
        [&] { playlist->sort_by_column(column); });
    const double asc = f.ascending, desc = f.descending;
    char label[64];
    std::snprintf(label, sizeof label, "sort column %2d ascending", column);
    verdict(label, asc, 100, "ms");
    std::snprintf(label, sizeof label, "sort column %2d descending (second click)", column);
    verdict(label, desc, 100, "ms");
    worst_sort = std::max({worst_sort, asc, desc});
  }
  playlist = std::make_unique<ov_playlist>(&library, items_db.get(), 1, QStringLiteral("bench"), 1);

  std::printf("\nSearching (a word found nowhere: every row tested)\n");
  int found = 0;
  double t_cold = 1e300, t_sort_indexed = 1e300, t_after_sort = 1e300;
  for (int run = 0; run < 3; ++run) {
    // The first search after loading folds the texts into the index; a sort
    // notes its order, which the next search applies to the index.
    playlist = std::make_unique<ov_playlist>(&library, items_db.get(), 1, QStringLiteral("bench"), 1);
    t_cold = std::min(t_cold, ms_of([&] { found = playlist->search_next(QStringLiteral("zqxj"), -1); }));
    t_sort_indexed = std::min(t_sort_indexed, ms_of([&] { playlist->sort_by_column(ov_playlist::column_artist); }));
    t_after_sort = std::min(t_after_sort, ms_of([&] { found = playlist->search_next(QStringLiteral("zqxj"), -1); }));
  }
  verdict("first search after loading (builds index)", t_cold, 20, "ms");
  verdict("sort column 5 while the index exists", t_sort_indexed, 100, "ms");
  verdict("first search after that sort (reorders)", t_after_sort, 20, "ms");
  double t_remove = 0, t_after_remove = 0;
  {
    t_remove = ms_of([&] {
      for (int i = 0; i < 100; ++i) playlist->remove_track_at(i * 97);
    });
    t_after_remove = ms_of([&] { found = playlist->search_next(QStringLiteral("zqxj"), -1); });
  }
  verdict("100 single-row removals, index present", t_remove, 100, "ms");
  verdict("first search after the removals", t_after_remove, 20, "ms");
  const double t_search_next = best_ms(5, nullptr, [&] { found = playlist->search_next(QStringLiteral("zqxj"), -1); });
  std::printf("  search_next result %d\n", found);
  verdict("full search_next pass, no match", t_search_next, 20, "ms");
  const double t_search_prev =
      best_ms(5, nullptr, [&] { found = playlist->search_previous(QStringLiteral("ZQXJ"), playlist->count()); });
  verdict("full search_previous pass, no match", t_search_prev, 20, "ms");
  const double t_search_long =
      best_ms(5, nullptr, [&] { found = playlist->search_next(QStringLiteral("night river song light zz"), -1); });
  verdict("full pass, long word, no match", t_search_long, 20, "ms");
  const double t_search_one = best_ms(5, nullptr, [&] { found = playlist->search_next(QStringLiteral("q"), -1); });
  verdict("full pass, one-letter word, no match", t_search_one, 20, "ms");

  std::printf("\nTrack pool\n");
  ov_track_pool pool;
  const double t_set = best_ms(3, nullptr, [&] { pool.set_playlist(playlist.get()); });
  verdict("set_playlist (both queues built)", t_set, 50, "ms");
  const double t_reset = best_ms(3, nullptr, [&] { pool.reset(); });
  verdict("reset (both queues rebuilt)", t_reset, 50, "ms");
  const double t_queue = best_ms(3, nullptr, [&] { ov_track_pool_remaining_queue q(playlist->items()); });
  verdict("one queue built", t_queue, 25, "ms");

  const char* const type_names[] = {"", "high scored", "middle scored", "low scored", "random"};
  for (int type = 1; type <= 4; ++type) {
    pool.set_selection_type(type);
    const ov_track_pool_remaining_queue* whole = pool.whole_queue();
    const double t = ms_of([&] {
      for (int i = 0; i < 1000; ++i) (void)whole->pick_weighted();
    });
    char label[64];
    std::snprintf(label, sizeof label, "1,000 weighted draws, %s", type_names[type]);
    std::printf("  %-44s %10.3f ms   (%.3f us per draw)\n", label, t, t);
  }
  pool.start_at(0);
  const double t_cand_shuffle = ms_of([&] {
    for (int i = 0; i < 1000; ++i) (void)pool.candidates_shuffle(5);
  });
  std::printf("  %-44s %10.3f ms   (%.3f us per draw of 5)\n", "1,000 candidate draws (shuffle, 5 each)",
              t_cand_shuffle, t_cand_shuffle);
  const double t_cand_random = ms_of([&] {
    for (int i = 0; i < 1000; ++i) (void)pool.candidates_random(5);
  });
  std::printf("  %-44s %10.3f ms   (%.3f us per draw of 5)\n", "1,000 candidate draws (random, 5 each)", t_cand_random,
              t_cand_random);

  pool.set_selection_type(ov_track_pool::select_high_scored);
  const double t_shuffle = ms_of([&] {
    for (int i = 0; i < 1000; ++i) (void)pool.next_shuffle();
  });
  std::printf("  %-44s %10.3f ms   (%.3f us per step)\n", "1,000 shuffle steps (take from the queue)", t_shuffle,
              t_shuffle);
  const double t_back = ms_of([&] {
    for (int i = 0; i < 1000; ++i) (void)pool.previous_shuffle();
  });
  std::printf("  %-44s %10.3f ms   (%.3f us per step)\n", "1,000 steps back through the history", t_back, t_back);
  const double t_random = ms_of([&] {
    for (int i = 0; i < 1000; ++i) (void)pool.next_random();
  });
  std::printf("  %-44s %10.3f ms   (%.3f us per step)\n", "1,000 random steps", t_random, t_random);

  std::printf("\nSummary: load %.1f ms, worst sort %.1f ms, search %.2f ms, set_playlist %.2f ms\n", t_load, worst_sort,
              std::max(t_search_next, t_search_prev), t_set);
  std::printf("Whole run: %.1f s wall, %.1f s thread CPU\n", double(wall.elapsed()) / 1e3, thread_cpu_ms() / 1e3);
  return 0;
}
