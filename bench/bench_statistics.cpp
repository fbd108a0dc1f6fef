// The Statistics window over a 100,000-track library and a listening history
// of 1,000,000 rows (600,000 awards and 400,000 plays spread over the last two
// years): opening the window to its first painted chart, one live update
// after a score change (recompute and repaint), the first chart of the
// history (reading all its rows), and a live update after one new history row.
#include "ov_bench_library_db.h"
#include "ov_bench_window.h"
#include "ov_database.h"
#include "ov_library.h"
#include "ov_schema.h"
#include "ov_stats_fixture.h"
#include "ov_track.h"
#include "ovg_statistics_chart_view.h"
#include "ovg_statistics_window.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

constexpr int award_rows = 600000;
constexpr int play_rows = 400000;
constexpr qint64 span_seconds = 2LL * 365 * 86400;
constexpr int rounds = 5;

std::unique_ptr<ov_database> make_history(const QString& dir) {
  std::unique_ptr<ov_database> db = ov_stats_test::open_history(dir);
  const qint64 start = QDateTime::currentSecsSinceEpoch() - span_seconds;
  db->begin_bulk();
  ov_statement award = db->prepare(QStringLiteral("INSERT INTO awards VALUES (?, ?, ?, ?, ?);"));
  for (int i = 0; i < award_rows; ++i) {
    award.bind_int64(1, start + span_seconds * i / award_rows);
    award.bind_int(2, int(1 + (qint64(i) * 7919) % ov_bench::library_rows));
    award.bind_int(3, 1 + i % 5);
    award.bind_int(4, i % 5 == 3 ? -2 : 3);
    award.bind_int(5, std::min(9, i / (award_rows / 10)));
    (void)award.write();
    award.reset();
  }
  ov_statement play = db->prepare(QStringLiteral("INSERT INTO plays VALUES (?, ?, ?, ?);"));
  for (int i = 0; i < play_rows; ++i) {
    play.bind_int64(1, start + span_seconds * i / play_rows);
    play.bind_int(2, int(1 + (qint64(i) * 104729) % (ov_bench::library_rows + 5000)));  // some removed since
    play.bind_int(3, 30 + i % 240);
    play.bind_int(4, 1 + i % 3 / 2);
    (void)play.write();
    play.reset();
  }
  db->end_bulk();
  return db;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Wall and CPU time of the GUI thread, in ms: the machine is shared, so the
// CPU time tells the work done apart from the waiting for a core.
struct clock_pair {
  QElapsedTimer wall;
  double cpu0 = 0;
  static double cpu_now() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
  }
  clock_pair() {
    wall.start();
    cpu0 = cpu_now();
  }
  double wall_ms() const { return wall.nsecsElapsed() / 1e6; }
  double cpu_ms() const { return cpu_now() - cpu0; }
};

// Repaints the chart view at once and returns when it painted.
void repaint(ovg_statistics_window& window) {
  window.chart_view()->viewport()->repaint();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir dir;
  std::printf("building 100,000 library rows and 1,000,000 history rows...\n");
  std::unique_ptr<ov_database> library_db = ov_open_database(dir.path(), QStringLiteral("library"));
  ov_bench::build_library_rows(*library_db);
  std::unique_ptr<ov_database> history_db = make_history(dir.path());
  ov_group_map albums, artists;
  ov_library library(library_db.get(), &albums, &artists, ov_bench::library_seed);
  std::printf("library: %d tracks\n", int(library.paths().size()));

  std::vector<double> open_ms, open_cpu;
  for (int r = 0; r < rounds; ++r) {
    clock_pair c;
    ovg_statistics_window window(&library, history_db.get());
    ov_bench::show_until_painted(&window, window.chart_view()->viewport());
    open_ms.push_back(c.wall_ms());
    open_cpu.push_back(c.cpu_ms());
  }
  std::printf("open to first painted chart (ranks): median %.1f ms wall, %.1f ms CPU of %d (first %.1f ms wall)\n",
              median(open_ms), median(open_cpu), rounds, open_ms.front());

  ovg_statistics_window window(&library, history_db.get());
  ov_bench::show_until_painted(&window, window.chart_view()->viewport());
  {
    // The whole history is read on a worker from the window's construction on.
    clock_pair c;
    window.finish_history_read();
    std::printf("rest of the first read of the 1,000,000 history rows (on a worker): %.1f ms wall\n", c.wall_ms());
  }
  std::vector<double> live_ms, live_cpu, recompute_ms;
  for (int r = 0; r < rounds; ++r) {
    library.track_by_id(1 + r)->add_score(5000);
    window.eslot_library_changed();
    clock_pair c;
    window.update_now();
    recompute_ms.push_back(c.wall_ms());
    repaint(window);
    live_ms.push_back(c.wall_ms());
    live_cpu.push_back(c.cpu_ms());
  }
  std::printf(
      "live update after a score change (ranks): median %.2f ms wall (%.2f ms before the repaint), %.2f ms "
      "CPU of %d\n",
      median(live_ms), median(recompute_ms), median(live_cpu), rounds);

  window.show_chart(ov_chart::listening_weeks);

  std::vector<double> history_ms, history_cpu;
  for (int r = 0; r < rounds; ++r) {
    ov_statement st = history_db->prepare(QStringLiteral("INSERT INTO plays VALUES (?, 5, 60, 1);"));
    st.bind_int64(1, QDateTime::currentSecsSinceEpoch());
    (void)st.write();
    clock_pair c;
    window.update_now();
    repaint(window);
    history_ms.push_back(c.wall_ms());
    history_cpu.push_back(c.cpu_ms());
  }
  std::printf("live update after a new play (weeks): median %.2f ms wall, %.2f ms CPU of %d\n", median(history_ms),
              median(history_cpu), rounds);

  for (int i = 0; i < ov_chart_count; ++i) {
    clock_pair c;
    window.show_chart(ov_chart(i));
    repaint(window);
    std::printf("switch to %s: %.1f ms wall, %.1f ms CPU\n", qPrintable(ov_statistics::title(ov_chart(i))), c.wall_ms(),
                c.cpu_ms());
  }
  return 0;
}
