#pragma once

// Sample texts, scores and library tracks for the large-playlist
// benchmarks, and the thread CPU clock they measure with.
#include "ov_library.h"
#include "ov_rank_table.h"
#include "ov_track.h"

#include <QString>

#include <algorithm>
#include <ctime>
#include <functional>
#include <iterator>
#include <memory>
#include <random>

namespace ov_bench {

inline const char* const words_list[] = {"Blue",   "Night",  "River", "Song",   "Light",   "Rain", "Dream", "Fire",
                                         "Winter", "Garden", "Echo",  "Shadow", "Morning", "Road", "Heart", "Sky",
                                         "Ocean",  "夜",     "空",    "海",     "Café",    "Élan", "Über",  "Lullaby"};

inline QString words(std::mt19937& gen, int n) {
  QString s;
  for (int i = 0; i < n; ++i) {
    if (i) s += QLatin1Char(' ');
    s += QString::fromUtf8(words_list[gen() % std::size(words_list)]);
  }
  return s;
}

// Scores spread over every rank: a rank first, then a score inside it.
inline int score_of(std::mt19937& gen) {
  const ov_rank_table& ranks = ov_rank_table::instance();
  const int r = int(gen() % 15);
  const int lo = ranks.lowest(r), hi = std::min(ranks.highest(r), lo + 100000);
  return lo + int(gen() % unsigned(hi - lo + 1));
}

inline double thread_cpu_ms() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

// Figures are the CPU time of this thread: on a shared machine the wall
// time mostly measures the other processes.
inline double ms_of(const std::function<void()>& f) {
  const double start = thread_cpu_ms();
  f();
  return thread_cpu_ms() - start;
}

// Best of several runs, with a preparation step that is not timed.
inline double best_ms(int runs, const std::function<void()>& prepare, const std::function<void()>& f) {
  double best = 1e300;
  for (int i = 0; i < runs; ++i) {
    if (prepare) prepare();
    best = std::min(best, ms_of(f));
  }
  return best;
}

// Registers tracks first_id..last_id with sample tags, a score and a play
// count each.
inline void fill_library(ov_library& library, std::mt19937& gen, int first_id, int last_id) {
  for (int i = first_id; i <= last_id; ++i) {
    const QString title = words(gen, 3);
    const QString album = words(gen, 2) + QString::number(gen() % 8000);
    const QString artist = words(gen, 1) + QString::number(gen() % 2000);
    const quint32 number = gen() % 20;
    const int length = int(gen() % 600);
    auto track = std::make_unique<ov_track>(
        i, int(1600000000 + gen() % 100000000),
        ov_tag_data::from_values(QStringLiteral("/music/%1.mp3").arg(i), title, album, artist, number, length));
    track->add_score(score_of(gen));
    for (unsigned p = gen() % 5000; p > 0; --p) track->increment_played();
    library.register_track(std::move(track));
  }
}

// A sort from the loaded order and the toggle that follows it.
struct sort_figures {
  double ascending = 1e300;
  double descending = 1e300;
};

// Best of runs; each run first brings the list back to its loaded order
// (untimed), then sorts the column twice.
inline sort_figures best_sorts(int runs, const std::function<void()>& back_to_loaded_order,
                               const std::function<void()>& sort) {
  sort_figures f;
  for (int run = 0; run < runs; ++run) {
    back_to_loaded_order();
    f.ascending = std::min(f.ascending, ms_of(sort));
    f.descending = std::min(f.descending, ms_of(sort));
  }
  return f;
}

}  // namespace ov_bench
