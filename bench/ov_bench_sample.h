#pragma once

// Sample texts and scores for the large-playlist benchmarks, and the thread
// CPU clock they measure with.
#include "ov_rank_table.h"

#include <QString>

#include <algorithm>
#include <ctime>
#include <functional>
#include <iterator>
#include <random>

namespace ov_bench {

inline const char* const words_list[] = {"Blue", "Night", "River", "Song", "Light", "Rain", "Dream", "Fire",
                                         "Winter", "Garden", "Echo", "Shadow", "Morning", "Road", "Heart", "Sky",
                                         "Ocean", "夜", "空", "海", "Café", "Élan", "Über", "Lullaby"};

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

}  // namespace ov_bench
