// Start-up to a shown main window that has painted, with a 100,000-track
// library and 20 playlists of 5,000 entries: the library load, the window's
// construction, show() and the events until the selected track view has
// painted. Three ways, in the same run: cold (the score cache path given but
// no file there), warm (a valid score cache) and without a score cache at
// all, as before the cache existed. Beside them the warm library load alone
// and a bare SQLite scan of the same rows. Every measurement runs in a fresh
// process started by this one, so each peak resident size is that
// process's own.
#include "ov_bench_library_db.h"
#include "ov_bench_window.h"
#include "ov_database.h"
#include "ov_grade_table.h"
#include "ov_library.h"
#include "ov_playlist.h"
#include "ov_rank_table.h"
#include "ov_schema.h"
#include "ovd_skill.h"
#include "ovd_track.h"
#include "ovg_mainwindow.h"
#include "ovg_playlists_area.h"
#include "ovg_table_view_tracks.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

constexpr int playlist_count = 20;
constexpr int playlist_entries = 5000;
constexpr int rounds = 3;

double process_cpu_seconds() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return double(ts.tv_sec) + ts.tv_nsec / 1e9;
}

// Peak resident set size of this process, in kB.
long peak_rss_kb() {
  QFile f(QStringLiteral("/proc/self/status"));
  if (!f.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : f.readAll().split('\n'))
    if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
  return -1;
}

double thread_cpu_seconds() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return double(ts.tv_sec) + ts.tv_nsec / 1e9;
}

struct figures {
  double seconds = 0;
  double cpu_seconds = 0;
  long peak_kb = 0;
};

// What a measuring process prints as its last line, and reads back here.
void report(const figures& f) {
  std::printf("figures %.6f %.6f %ld\n", f.seconds, f.cpu_seconds, f.peak_kb);
  std::fflush(stdout);
}

bool parse(const QByteArray& out, figures& f) {
  for (const QByteArray& line : out.split('\n')) {
    const QList<QByteArray> parts = line.trimmed().split(' ');
    if (parts.size() == 4 && parts[0] == "figures") {
      f = {parts[1].toDouble(), parts[2].toDouble(), parts[3].toLong()};
      return true;
    }
  }
  return false;
}

// The score cache file a run uses: "warm" the one --prime wrote, "cold" one
// that does not exist, "old" none at all.
QString cache_path(const QString& dir, const QString& cache) {
  if (cache == QLatin1String("warm")) return dir + QStringLiteral("/cache/library_scores.bin");
  if (cache == QLatin1String("cold")) return dir + QStringLiteral("/cache/absent.bin");
  return QString();
}

// Loads the library with the cache path and stores the cache: the state a
// clean exit leaves.
int run_prime(int argc, char** argv, const QString& dir) {
  QCoreApplication app(argc, argv);
  std::unique_ptr<ov_database> db = ov_open_database(dir + QStringLiteral("/conf"), QStringLiteral("library"));
  ov_group_map albums, artists;
  ov_library library(db.get(), &albums, &artists, ov_bench::library_seed, cache_path(dir, QStringLiteral("warm")));
  library.store_score_cache();
  return 0;
}

// The same rows read as the load reads them, and nothing else: the floor.
int run_scan(int argc, char** argv, const QString& dir) {
  QCoreApplication app(argc, argv);
  std::unique_ptr<ov_database> db = ov_open_database(dir + QStringLiteral("/conf"), QStringLiteral("library"));
  QElapsedTimer timer;
  const double cpu0 = process_cpu_seconds();
  timer.start();
  ov_statement st =
      db->prepare(QStringLiteral("SELECT id, filepath, title, album, artist, track_no, length, s, timestamp_added  "
                                 "FROM library  ORDER BY id ASC;"));
  struct row {
    qint64 id;
    QString filepath, title, album, artist;
    int track_no, length;
    QString s;
    int timestamp_added;
  };
  std::vector<row> rows;
  while (st.step_row())
    rows.push_back({st.column_int64(0), st.column_text(1), st.column_text(2), st.column_text(3), st.column_text(4),
                    st.column_int(5), st.column_int(6), st.column_text(7), st.column_int(8)});
  figures f{timer.nsecsElapsed() / 1e9, process_cpu_seconds() - cpu0, 0};
  f.peak_kb = peak_rss_kb();
  if (rows.size() != size_t(ov_bench::library_rows)) return 1;
  report(f);
  return 0;
}

// The library store alone, as the library-load benchmark measures it.
int run_library_load(int argc, char** argv, const QString& dir, const QString& cache) {
  QCoreApplication app(argc, argv);
  std::unique_ptr<ov_database> db = ov_open_database(dir + QStringLiteral("/conf"), QStringLiteral("library"));
  ov_group_map albums, artists;
  QElapsedTimer timer;
  const double cpu0 = process_cpu_seconds();
  timer.start();
  const double thread0 = thread_cpu_seconds();
  ov_library library(db.get(), &albums, &artists, ov_bench::library_seed, cache_path(dir, cache));
  figures f{timer.nsecsElapsed() / 1e9, process_cpu_seconds() - cpu0, 0};
  std::printf("library load: %.3f s CPU on the loading thread\n", thread_cpu_seconds() - thread0);
  f.peak_kb = peak_rss_kb();
  const int expect_cached = cache == QLatin1String("warm") ? ov_bench::library_rows : 0;
  if (library.paths().size() != ov_bench::library_rows || library.score_failures() != 0 ||
      library.cached_scores() != expect_cached) {
    std::printf("unexpected library: %lld tracks, %d unreadable scores, %d from the cache\n",
                qint64(library.paths().size()), library.score_failures(), library.cached_scores());
    return 1;
  }
  report(f);
  return 0;
}

// The start-up from the library load to the painted window, in the order the
// application runs it; the databases are open beforehand in both runs.
int run_startup(int argc, char** argv, const QString& dir, const QString& cache) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (!QDir::setCurrent(dir)) return 1;
  ov_databases dbs = ov_open_databases(QStringLiteral("conf"));
  QElapsedTimer timer;
  const double cpu0 = process_cpu_seconds();
  timer.start();
  ov_group_map albums, artists;
  auto library = std::make_unique<ov_library>(dbs.library.get(), &albums, &artists, ov_bench::library_seed,
                                              cache_path(dir, cache));
  ov_rank_table::instance();
  ovd_track::instance();
  ov_grade_table::instance();
  ovd_skill::instance();
  const double library_seconds = timer.nsecsElapsed() / 1e9;
  auto window =
      std::make_unique<ovg_mainwindow>(library.get(), ov_bench::library_seed, dbs.playlists.get(),
                                       dbs.playlist_items.get(), dbs.presets.get(), dbs.favorite_engine.get());
  const double constructed_seconds = timer.nsecsElapsed() / 1e9;
  ovg_table_view_tracks* view = window->playlists_area()->selected_view();
  const bool painted = ov_bench::show_until_painted(window.get(), view ? view->viewport() : window.get());
  figures f{timer.nsecsElapsed() / 1e9, process_cpu_seconds() - cpu0, 0};
  f.peak_kb = peak_rss_kb();
  const int shown = view ? view->playlist()->count() : -1;
  std::printf(
      "library %.3f s, window built at %.3f s, painted at %.3f s; %lld playlists, %d rows in the shown "
      "view, painted: %s\n",
      library_seconds, constructed_seconds, f.seconds, qint64(window->playlists_area()->playlists().size()), shown,
      painted ? "yes" : "NO");
  const int expect_cached = cache == QLatin1String("warm") ? ov_bench::library_rows : 0;
  if (!painted || shown != ov_bench::library_rows ||
      window->playlists_area()->playlists().size() != playlist_count + 1 || library->cached_scores() != expect_cached)
    return 1;
  report(f);
  // Closing would store the window state and the scores; the measurement is
  // over, and the next run starts from the same files.
  std::fflush(stdout);
  std::_Exit(0);
}

bool measure(const QStringList& args, figures& f) {
  const QString mode = args.join(QLatin1Char(' '));
  QProcess p;
  p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  p.start(QCoreApplication::applicationFilePath(), args);
  if (!p.waitForFinished(300000)) return false;
  const QByteArray out = p.readAllStandardOutput();
  const bool ok = p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 && parse(out, f);
  if (!ok) {
    std::printf("%s run failed:\n%s\n", qPrintable(mode), out.constData());
    return false;
  }
  for (const QByteArray& line : out.split('\n'))
    if (!line.isEmpty() && !line.startsWith("figures ")) std::printf("  %s\n", line.constData());
  return true;
}

QByteArray load_average() {
  QFile f(QStringLiteral("/proc/loadavg"));
  return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed() : QByteArray("?");
}

}  // namespace

// One kind of measuring process, with its best figures over the rounds.
struct side {
  QString label;
  QStringList args;
  figures best{1e9, 1e9, 0};
  figures last{};
};

int main(int argc, char** argv) {
  const auto arg = [&](int i) { return QString::fromLocal8Bit(argv[i]); };
  if (argc == 4 && !std::strcmp(argv[1], "--library")) return run_library_load(argc, argv, arg(2), arg(3));
  if (argc == 4 && !std::strcmp(argv[1], "--startup")) return run_startup(argc, argv, arg(2), arg(3));
  if (argc == 3 && !std::strcmp(argv[1], "--scan")) return run_scan(argc, argv, arg(2));
  if (argc == 3 && !std::strcmp(argv[1], "--prime")) return run_prime(argc, argv, arg(2));

  QCoreApplication app(argc, argv);
  // With --make DIR the files are built into DIR and kept, for profiling
  // one kind of process by hand.
  const bool make_only = argc == 3 && !std::strcmp(argv[1], "--make");
  QTemporaryDir tmp;
  const QString d = make_only ? arg(2) : tmp.path();
  {
    QElapsedTimer t;
    t.start();
    ov_databases dbs = ov_open_databases(d + QStringLiteral("/conf"));
    ov_bench::build_library_rows(*dbs.library);
    ov_bench::build_playlist_rows(*dbs.playlists, *dbs.playlist_items, playlist_count, playlist_entries);
    std::printf("built conf/: %d library rows, %d playlists of %d entries, in %.1f s\n", ov_bench::library_rows,
                playlist_count, playlist_entries, t.nsecsElapsed() / 1e9);
  }
  QProcess prime;
  prime.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--prime"), d});
  if (!prime.waitForFinished(300000) || prime.exitCode() != 0) return 1;
  if (make_only) return 0;

  std::vector<side> sides = {
      {QStringLiteral("start, no score cache (as before)"), {QStringLiteral("--startup"), d, QStringLiteral("old")}},
      {QStringLiteral("start, cold (no cache file)"), {QStringLiteral("--startup"), d, QStringLiteral("cold")}},
      {QStringLiteral("start, warm (valid cache)"), {QStringLiteral("--startup"), d, QStringLiteral("warm")}},
      {QStringLiteral("library load, warm"), {QStringLiteral("--library"), d, QStringLiteral("warm")}},
      {QStringLiteral("bare SQLite scan"), {QStringLiteral("--scan"), d}},
  };
  // One untimed run of each warms the page cache and writes conf/main.ini.
  for (side& s : sides)
    if (!measure(s.args, s.last)) return 1;
  std::printf("load average before: %s\n", load_average().constData());
  long peak_start = 0;
  for (int round = 1; round <= rounds; ++round) {
    // The order turns each round, so no side always runs right after another.
    std::printf("round %d:\n", round);
    for (size_t i = 0; i < sides.size(); ++i) {
      side& s = sides[(i + size_t(round)) % sides.size()];
      if (!measure(s.args, s.last)) return 1;
      std::printf("  %-34s %.3f s (CPU %.3f s, peak RSS %.1f MB)\n", qPrintable(s.label), s.last.seconds,
                  s.last.cpu_seconds, s.last.peak_kb / 1024.0);
      s.best.seconds = std::min(s.best.seconds, s.last.seconds);
      s.best.cpu_seconds = std::min(s.best.cpu_seconds, s.last.cpu_seconds);
      s.best.peak_kb = std::max(s.best.peak_kb, s.last.peak_kb);
      if (s.args.first() == QLatin1String("--startup")) peak_start = std::max(peak_start, s.last.peak_kb);
    }
  }
  std::printf("load average after: %s; cores: %d\n", load_average().constData(), QThread::idealThreadCount());
  for (const side& s : sides)
    std::printf("%-34s best of %d: %.3f s wall, %.3f s CPU\n", qPrintable(s.label), rounds, s.best.seconds,
                s.best.cpu_seconds);
  const figures& old = sides[0].best;
  const figures& cold = sides[1].best;
  const figures& warm = sides[2].best;
  const figures& load = sides[3].best;
  const figures& scan = sides[4].best;
  const auto verdict = [](bool ok) { return ok ? "OK" : "OVER"; };
  std::printf("warm start to painted window: %.3f s (target <= 0.8 s) %s\n", warm.seconds,
              verdict(warm.seconds <= 0.8));
  std::printf("warm / cold start: %.2f wall, %.2f CPU (target <= 0.40) %s\n", warm.seconds / cold.seconds,
              warm.cpu_seconds / cold.cpu_seconds, verdict(warm.seconds <= 0.4 * cold.seconds));
  std::printf("cold start / start without the cache: %.3f wall, %.3f CPU (target <= 1.05) %s\n",
              cold.seconds / old.seconds, cold.cpu_seconds / old.cpu_seconds,
              verdict(cold.seconds <= 1.05 * old.seconds));
  std::printf("warm library load %.3f s / bare SQLite scan %.3f s: %.2f wall, %.2f CPU (target <= 1.50) %s\n",
              load.seconds, scan.seconds, load.seconds / scan.seconds, load.cpu_seconds / scan.cpu_seconds,
              verdict(load.seconds <= 1.5 * scan.seconds));
  std::printf("peak RSS of the start-up processes: %.1f MB (target < 400 MB) %s\n", peak_start / 1024.0,
              verdict(peak_start < 400 * 1024));
  return 0;
}
