// CPU cost of playback: a 5-minute 44.1 kHz stereo MP3 played through the
// core to the ALSA "null" device (no real-time pacing) at volume 100 and 50,
// against libmpg123 decoding the same file into memory, the mpg123 command
// line player, and two play lines overlapping as in a medley transition;
// then a 5-minute FLAC and Opus file through the core against
// `ffmpeg -i FILE -f null -` on the same file.
#include "ov_playback_core.h"
#include "ov_playback_normal.h"
#include "ov_playline.h"
#include "ov_test_formats.h"
#include "ov_test_mp3.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>

#include <mpg123.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <vector>

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

// libmpg123 alone. into_memory: the whole PCM goes into one buffer (allocated
// and touched before the clock starts); otherwise every read reuses one block.
double bare_decode(const QString& path, bool into_memory) {
  std::vector<unsigned char> memory(into_memory ? size_t(44100) * 4 * 310 : 4608, 1);
  const double t0 = process_cpu_s();
  mpg123_handle* h = mpg123_new(nullptr, nullptr);
  mpg123_open(h, path.toLocal8Bit().constData());
  long rate;
  int channels, encoding;
  mpg123_getformat(h, &rate, &channels, &encoding);
  const size_t block = mpg123_outblock(h);
  size_t at = 0, total = 0, done = 0;
  for (;;) {
    const int r = mpg123_read(h, memory.data() + at, std::min(block, memory.size() - at), &done);
    total += done;
    if (into_memory) at += done;
    if (r != MPG123_OK && r != MPG123_NEW_FORMAT) break;
  }
  mpg123_delete(h);
  const double cpu = process_cpu_s() - t0;
  if (total < size_t(rate) * 4 * 290) std::printf("  (decoded only %zu bytes)\n", total);
  return cpu;
}

double ffmpeg_decode(const QString& path) {
  const double t0 = children_cpu_s();
  const QByteArray cmd = "ffmpeg -loglevel error -i '" + path.toLocal8Bit() + "' -f null - > /dev/null";
  if (std::system(cmd.constData()) != 0) return -1;
  return children_cpu_s() - t0;
}

double core_play(const QString& path, int volume) {
  const double t0 = process_cpu_s();
  ov_playback_core core(path, volume);
  if (!core.is_valid()) return -1;
  QEventLoop loop;
  QObject::connect(&core, &ov_playback_core::signal_finished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
  core.play();
  loop.exec();
  return process_cpu_s() - t0;
}

// Two lines play the file at once, one fading out and one fading in, as in
// the overlap of a medley transition.
double overlap(const QString& path, int fade_ms) {
  const double t0 = process_cpu_s();
  ov_playline out, in;
  if (!out.load_file(path) || !in.load_file(path)) return -1;
  int left = 2;
  QEventLoop loop;
  for (ov_playline* l : {&out, &in})
    QObject::connect(l, &ov_playline::esignal_play_finished, &loop, [&] {
      if (--left == 0) loop.quit();
    });
  out.apply_lengths({{"fadeout_length", fade_ms}});
  in.apply_lengths({{"fadein_length", fade_ms}, {"start_position", 0}});
  out.prepare_fadeout();
  in.prepare_fadein();
  out.play();
  in.play();
  out.start_fadeout();
  in.start_fadein();
  loop.exec();
  return process_cpu_s() - t0;
}
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  qputenv("ORVANTIS_PCM_DEVICE", "null");
  QTemporaryDir dir;
  const QString path = dir.filePath("five_minutes.mp3");
  ov_test::tone t;
  t.seconds = 300;
  t.amplitude = 0.6;
  t.frequency = 523.25;
  std::printf("encoding a 5-minute 44.1 kHz stereo MP3 with lame...\n");
  if (!ov_test::make_tone_mp3(path, t)) {
    std::printf("lame failed\n");
    return 1;
  }
  mpg123_init();

  const double bare = best_of([&] { return bare_decode(path, true); });
  const double stream = best_of([&] { return bare_decode(path, false); });
  const double core100 = best_of([&] { return core_play(path, 100); });
  const double core50 = best_of([&] { return core_play(path, 50); });
  const double two = best_of([&] { return overlap(path, 5000); });

  std::printf("CPU time, best of %d runs, 300 s of audio:\n", runs);
  std::printf("  libmpg123 decode into memory        %7.3f s\n", bare);
  std::printf("  libmpg123 decode into one block     %7.3f s\n", stream);
  std::printf("  core -> ALSA null, volume 100       %7.3f s  ratio %.3f (target <= 1.15)\n", core100, core100 / bare);
  std::printf("  core -> ALSA null, volume 50        %7.3f s  ratio %.3f (target <= 1.30)\n", core50, core50 / bare);
  std::printf("  two lines overlapping, 5 s fades    %7.3f s  ratio %.3f to two decodes into memory\n", two,
              two / (2 * bare));
  std::printf("  against the one-block decode: core 100 %.3f, core 50 %.3f, overlap %.3f\n", core100 / stream,
              core50 / stream, two / (2 * stream));
  std::printf("  per second of audio: core 100 %.2f ms, core 50 %.2f ms, overlap %.2f ms\n", core100 / 0.3,
              core50 / 0.3, two / 0.3);

  // The same tone through FFmpeg's decoders.
  const QByteArray pcm = ov_test::tone_pcm(t);
  for (const char* format : {"flac", "opus"}) {
    const QString other = dir.filePath(QStringLiteral("five_minutes.") + format);
    if (!ov_test::encode_audio(format, other, pcm, t.rate, t.channels)) {
      std::printf("%s: the encoder failed\n", format);
      return 1;
    }
    const double ffmpeg = best_of([&] { return ffmpeg_decode(other); });
    const double core = best_of([&] { return core_play(other, 100); });
    std::printf("  %-4s core -> ALSA null, volume 100  %7.3f s, ffmpeg -f null %7.3f s, ratio %.3f (target <= 1.15)\n",
                format, core, ffmpeg, core / ffmpeg);
  }
  return 0;
}
