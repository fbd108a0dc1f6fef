// CPU cost of decoding FLAC and Opus: a 5-minute 44.1 kHz stereo file of
// each played through the core to the ALSA "null" device (no real-time
// pacing), against `ffmpeg -i FILE -f null -` on the same file in the same run.
#include "ov_playback_core.h"
#include "ov_test_formats.h"
#include "ov_test_mp3.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>

namespace {
constexpr int runs = 3;

double process_cpu_s() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

double children_cpu_s() {
  rusage u{};
  getrusage(RUSAGE_CHILDREN, &u);
  return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

// Lowest CPU time of a few runs: the least disturbed by other work.
double best_of(const std::function<double()>& run) {
  double best = 1e9;
  for (int i = 0; i < runs; ++i) best = std::min(best, run());
  return best;
}

double core_play(const QString& path) {
  const double t0 = process_cpu_s();
  ov_playback_core core(path, 100);
  if (!core.is_valid()) return -1;
  QEventLoop loop;
  QObject::connect(&core, &ov_playback_core::signal_finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
  core.play();
  loop.exec();
  return process_cpu_s() - t0;
}

double cli_decode(const QString& path) {
  const double t0 = children_cpu_s();
  const QByteArray cmd = "ffmpeg -loglevel error -i '" + path.toLocal8Bit() + "' -f null - > /dev/null";
  if (std::system(cmd.constData()) != 0) return -1;
  return children_cpu_s() - t0;
}
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  qputenv("ORVANTIS_PCM_DEVICE", "null");
  QTemporaryDir dir;
  ov_test::tone t;
  t.seconds = 300;
  const QByteArray pcm = ov_test::tone_pcm(t);
  bool all_within = true;
  for (const char* format : {"flac", "opus"}) {
    const QString path = dir.filePath(QStringLiteral("five_minutes.") + format);
    if (!ov_test::encode_audio(format, path, pcm, t.rate, t.channels)) {
      std::printf("%s: the encoder failed\n", format);
      return 1;
    }
    const double ffmpeg = best_of([&] { return cli_decode(path); });
    const double core = best_of([&] { return core_play(path); });
    const double ratio = core / ffmpeg;
    all_within = all_within && ratio <= 1.15;
    std::printf("%-5s core to null %.3f s CPU, ffmpeg -f null %.3f s CPU, ratio %.2f (target <= 1.15)\n", format, core,
                ffmpeg, ratio);
  }
  return all_within ? 0 : 2;
}
