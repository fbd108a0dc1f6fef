// Wake-ups and CPU of the real program while it plays: the orvantis binary
// runs with its window shown on a private X server and its sound going to
// the PulseAudio null sink, driven by "Open With" and keys. For each phase
// (normal play, paused, shuffle medley play, stopped) it reads the voluntary
// context switches of every thread (/proc/<pid>/task/*/status) and the
// process's CPU time (/proc/<pid>/stat) and prints wake-ups per second, % of
// one core, the ratio to the earlier figures and each thread's share.
// Usage: bench_wakeups [seconds] [program]   (default 60 s per playing phase,
// a third of it for paused and stopped; the build's own binary by default)
#include "ov_test_capture.h"
#include "ov_test_mp3.h"
#include "ov_test_program.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <vector>

namespace {

// The figures measured before the playback thread learnt to sleep.
struct baseline {
  double wakeups;
  double cpu_percent;
};

struct thread_sample {
  QString name;
  long long voluntary = 0;
  long long cpu_ticks = 0;
};

using snapshot = std::map<int, thread_sample>;

QByteArray read_proc(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// utime + stime of a /proc stat line, in clock ticks (the fields after the
// command name, which may hold spaces, in brackets).
long long stat_ticks(const QByteArray& stat) {
  const int close = stat.lastIndexOf(')');
  if (close < 0) return 0;
  const QList<QByteArray> f = stat.mid(close + 2).split(' ');
  return f.size() > 12 ? f[11].toLongLong() + f[12].toLongLong() : 0;
}

snapshot take_snapshot(qint64 pid) {
  snapshot s;
  const QString tasks = QStringLiteral("/proc/%1/task").arg(pid);
  for (const QString& tid : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    const QString dir = tasks + QLatin1Char('/') + tid;
    const QByteArray status = read_proc(dir + QStringLiteral("/status"));
    thread_sample t;
    for (const QByteArray& line : status.split('\n')) {
      if (line.startsWith("Name:")) t.name = QString::fromUtf8(line.mid(5).trimmed());
      if (line.startsWith("voluntary_ctxt_switches:")) t.voluntary = line.mid(24).trimmed().toLongLong();
    }
    t.cpu_ticks = stat_ticks(read_proc(dir + QStringLiteral("/stat")));
    s[tid.toInt()] = t;
  }
  return s;
}

struct phase_result {
  double seconds = 0;
  double wakeups_per_s = 0;
  double cpu_percent = 0;
  std::map<QString, std::pair<long long, long long>> by_name;  // wake-ups, ticks
};

// Samples the process twice a second for the given time, so that threads
// that come and go in between are counted for the part of their life seen.
phase_result measure(qint64 pid, int seconds) {
  phase_result r;
  const long hz = sysconf(_SC_CLK_TCK);
  const long long cpu_start = stat_ticks(read_proc(QStringLiteral("/proc/%1/stat").arg(pid)));
  snapshot last = take_snapshot(pid);
  long long wakeups = 0;
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < seconds * 1000LL) {
    QThread::msleep(500);
    const snapshot now = take_snapshot(pid);
    for (const auto& [tid, t] : now) {
      const auto before = last.find(tid);
      const long long v = t.voluntary - (before == last.end() ? 0 : before->second.voluntary);
      const long long c = t.cpu_ticks - (before == last.end() ? 0 : before->second.cpu_ticks);
      wakeups += v;
      r.by_name[t.name].first += v;
      r.by_name[t.name].second += c;
    }
    last = now;
  }
  r.seconds = clock.elapsed() / 1000.0;
  const long long cpu_end = stat_ticks(read_proc(QStringLiteral("/proc/%1/stat").arg(pid)));
  r.wakeups_per_s = wakeups / r.seconds;
  r.cpu_percent = 100.0 * double(cpu_end - cpu_start) / double(hz) / r.seconds;
  return r;
}

void print(const char* name, const phase_result& r, const baseline* before) {
  std::printf("%-22s %7.1f wake-ups/s  %5.2f %% of one core  (%.0f s)", name, r.wakeups_per_s, r.cpu_percent,
              r.seconds);
  if (before)
    std::printf("  ratio to %.0f/s, %.1f %%: %.2f, %.2f", before->wakeups, before->cpu_percent,
                r.wakeups_per_s / before->wakeups, r.cpu_percent / before->cpu_percent);
  std::printf("\n");
  std::vector<std::pair<QString, std::pair<long long, long long>>> threads(r.by_name.begin(), r.by_name.end());
  std::sort(threads.begin(), threads.end(),
            [](const auto& a, const auto& b) { return a.second.first > b.second.first; });
  const long hz = sysconf(_SC_CLK_TCK);
  for (const auto& [thread, counts] : threads) {
    if (counts.first == 0 && counts.second == 0) continue;
    std::printf("    %-18s %7.1f wake-ups/s  %5.2f %%\n", qPrintable(thread), counts.first / r.seconds,
                100.0 * double(counts.second) / double(hz) / r.seconds);
  }
  std::fflush(stdout);
}

// A tone track with tags and a cover picture, copied under several names.
bool make_tracks(const QString& dir, const QString& stem, double seconds, int count) {
  QDir().mkpath(dir);
  const QString first = dir + QStringLiteral("/%1 01.mp3").arg(stem);
  ov_test::tone t;
  t.seconds = seconds;
  t.amplitude = 0.3;
  if (!ov_test::make_tone_mp3(first, t)) return false;
  for (int i = 1; i <= count; ++i) {
    const QString path = dir + QStringLiteral("/%1 %2.mp3").arg(stem).arg(i, 2, 10, QLatin1Char('0'));
    if (i > 1 && !QFile::copy(first, path)) return false;
    if (!ov_test::set_tags(path, QStringLiteral("%1 %2").arg(stem).arg(i), stem, QStringLiteral("Bench"),
                           unsigned(i)) ||
        !ov_test::add_picture(path, 3, ov_test::png_of_at_least(60000, 0x3366ff + 0x1100 * unsigned(i))))
      return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int seconds = argc > 1 ? std::max(5, QString::fromLocal8Bit(argv[1]).toInt()) : 60;
  const int idle_seconds = std::max(5, seconds / 3);
  if (qEnvironmentVariableIsEmpty("OV_BINARY_DIR")) qputenv("OV_BINARY_DIR", OV_BENCH_BINARY_DIR);
  if (qEnvironmentVariableIsEmpty("OV_TEST_DATA")) qputenv("OV_TEST_DATA", OV_BENCH_TEST_DATA);
  const QString program = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();

  for (const char* tool : {"Xvfb", "xdotool", "lame"})
    if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty()) {
      std::fprintf(stderr, "no %s here\n", tool);
      return 1;
    }
  ov_test_capture server;  // the PulseAudio server with the null sink
  if (!server.server_ready()) {
    std::fprintf(stderr, "no PulseAudio test server\n");
    return 1;
  }
  ov_test::x_server x(QSize(1400, 900));
  if (x.display().isEmpty()) {
    std::fprintf(stderr, "Xvfb did not start\n");
    return 1;
  }

  QTemporaryDir home, runtime, music;
  const QString normal_dir = music.filePath(QStringLiteral("normal"));
  const QString medley_dir = music.filePath(QStringLiteral("medley"));
  const QString short_dir = music.filePath(QStringLiteral("short"));
  if (!make_tracks(normal_dir, QStringLiteral("Long"), seconds + idle_seconds + 20, 1) ||
      !make_tracks(medley_dir, QStringLiteral("Slice"), 90, 4) ||
      !make_tracks(short_dir, QStringLiteral("Short"), 3, 1)) {
    std::fprintf(stderr, "cannot make the MP3 files\n");
    return 1;
  }
  QDir().mkpath(home.filePath(QStringLiteral("conf")));
  QFile ini(home.filePath(QStringLiteral("conf/main.ini")));
  if (!ini.open(QIODevice::WriteOnly)) return 1;
  ini.write("[main]\nlang=english\n[window]\nselected_tab=0\n[normal_play]\nplay_type=normal\n");
  ini.close();

  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("ORVANTIS_HOME"), home.path());
  env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
  env.insert(QStringLiteral("DISPLAY"), x.display());
  env.insert(QStringLiteral("ORVANTIS_AUTOTEST"), QStringLiteral("accept"));
  env.insert(QStringLiteral("ORVANTIS_PCM_DEVICE"), QStringLiteral("default"));
  env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
  auto start = [&](const QStringList& args) {
    if (program.isEmpty()) return ov_test::start_program(args, env);
    auto p = std::make_unique<QProcess>();
    p->setProcessEnvironment(env);
    p->setReadChannel(QProcess::StandardError);
    p->start(program, args);
    return p;
  };

  auto player = start({});
  QString err;
  if (!ov_test::wait_for(*player, err, QStringLiteral("window shown:")) ||
      !ov_test::wait_for(*player, err, QStringLiteral("dialog result"))) {
    std::fprintf(stderr, "the program did not start:\n%s\n", qPrintable(err));
    return 1;
  }
  const QString window = x.xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"),
                                    QStringLiteral("^Orvantis ")})
                             .section(QLatin1Char('\n'), 0, 0);
  auto keys = [&](const QString& k) {
    x.xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
    x.xdotool({QStringLiteral("key"), QStringLiteral("--clearmodifiers"), k});
  };
  int raised = 0;
  auto open_with = [&](const QString& dir) {
    auto second = start({dir});
    QString err2;
    ov_test::run_to_end(*second, err2);
    return ov_test::wait_for(*player, err, QStringLiteral("raised "), ++raised);
  };
  const qint64 pid = player->processId();
  std::printf("bench_wakeups: %d s per playing phase, %d s paused and stopped, pid %lld\n", seconds, idle_seconds, pid);

  const baseline normal_before{347, 2.8};
  const baseline medley_before{416, 4.0};
  if (!open_with(normal_dir)) return 1;
  QThread::sleep(3);
  print("normal play", measure(pid, seconds), &normal_before);

  keys(QStringLiteral("space"));
  QThread::sleep(2);
  print("paused", measure(pid, idle_seconds), nullptr);

  keys(QStringLiteral("ctrl+Tab"));
  if (!open_with(medley_dir)) return 1;
  QThread::sleep(3);
  print("shuffle medley play", measure(pid, seconds), &medley_before);

  // A short track played to its end in normal play leaves both controllers stopped.
  keys(QStringLiteral("ctrl+Tab"));
  if (!open_with(short_dir)) return 1;
  QThread::sleep(6);
  print("stopped", measure(pid, idle_seconds), nullptr);

  keys(QStringLiteral("alt+F4"));
  if (ov_test::run_to_end(*player, err) != 0) {
    player->kill();
    player->waitForFinished();
  }
  return 0;
}
