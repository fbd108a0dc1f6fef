// Medley soak: medley play of 40 generated tracks on the PulseAudio null sink
// with short slices (fade 2-3 s, flatline 5-8 s). Prints the process CPU time
// as a percentage of one core, the resident memory growth from minute 1 to
// the end, and how many slices were heard more than 100 ms away from their
// schedule (onsets found in the parec capture by each track's own tone).
// Usage: bench_medley_soak [seconds]   (default 600)
#include "ov_controller_fixture.h"
#include "ov_playline.h"
#include "ov_test_capture.h"
#include "ovg_controller_manual_medley.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
constexpr int track_count = 40;
// The fixture's tones, 330 + 110 i Hz: whole multiples of 10 Hz, so each makes
// whole cycles in a 100 ms window and the tone of the slice fading out does not
// leak into the level of the next one.
double frequency(int row) {
  return 330.0 + 110.0 * row;
}
constexpr int window_frames = ov_test_capture::rate / 10;
constexpr int step_ms = 10;

double cpu_seconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}
constexpr double mb = 1024.0 * 1024.0;
double rss_mb() {
  FILE* f = std::fopen("/proc/self/statm", "r");
  long pages = 0, resident = 0;
  if (f) {
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(f);
  }
  return resident * double(sysconf(_SC_PAGESIZE)) / mb;
}
// Amplitude (fraction of full scale) of one frequency in the left channel.
double tone_level(const QByteArray& pcm, qint64 first_frame, int frames, double hz) {
  const auto* s = reinterpret_cast<const qint16*>(pcm.constData());
  const qint64 total = pcm.size() / 4;
  if (first_frame < 0 || first_frame + frames > total) return 0.0;
  const double w = 2.0 * M_PI * hz / ov_test_capture::rate;
  double re = 0, im = 0;
  for (int i = 0; i < frames; ++i) {
    const double x = s[(first_frame + i) * 2] / 32768.0;
    re += x * std::cos(w * i);
    im -= x * std::sin(w * i);
  }
  return 2.0 * std::sqrt(re * re + im * im) / frames;
}
struct slice {
  qint64 started_ms;  // when its fade-in began, on the capture's clock
  int row;
  int fadein_ms;
};
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int seconds = argc > 1 ? std::max(20, atoi(argv[1])) : 600;
  ov_test_capture capture;
  if (!capture.server_ready()) {
    std::printf("no PulseAudio test server\n");
    return 1;
  }
  ov_controller_fixture f;
  QList<double> lengths;
  for (int i = 0; i < track_count; ++i) lengths << 30.0;
  if (!f.make(lengths)) return 1;
  qputenv("ORVANTIS_PCM_DEVICE", "default");
  ov_medley_values v;
  v.fadein_min = v.fadeout_min = 2000;
  v.fadein_max = v.fadeout_max = 3000;
  v.flatline_min = 5000, v.flatline_max = 8000;
  v.start_min = 0, v.start_max = 15000;
  f.views.controls.preset = v;
  f.views.controls.type = ov_play::play_shuffle_repeat;
  ovg_controller_manual_medley c(f.views.ports(), &f.views.controls, f.library.get(), f.engine.get());

  if (!capture.start()) return 1;
  QElapsedTimer clock;
  clock.start();
  const qint64 base_bytes = capture.captured();
  std::vector<slice> slices;
  ov_playline* last = nullptr;
  // The capture of the sink is held in this process too (10 minutes are
  // about 100 MB); the memory figures leave it out.
  double cpu_at_1 = 0, rss_at_1 = 0, capture_at_1 = 0;
  // A slice starts when a new line becomes the fade-in line; a 20 ms look
  // keeps the bench's own share of the CPU time small.
  QTimer look;
  int looks = 0;
  look.setInterval(20);
  QObject::connect(&look, &QTimer::timeout, [&] {
    if (++looks % 50 == 0) capture.captured();  // parec's output each second, not one pile at the end
    ov_playline* in = c.fadein_line();
    if (in && in != last)
      slices.push_back({clock.elapsed(), f.playlist->index_of(c.selected_item()), in->fadein_length()});
    last = in;
    if (rss_at_1 == 0 && clock.elapsed() >= 60000) {
      capture_at_1 = capture.captured() / mb;
      rss_at_1 = rss_mb();
      cpu_at_1 = cpu_seconds();
    }
    if (clock.elapsed() >= seconds * 1000LL) app.quit();
  });
  const double cpu_start = cpu_seconds();
  c.islot_play_new(f.playlist.get(), 0);
  look.start();
  app.exec();
  const double cpu = cpu_seconds() - cpu_start;
  const double capture_end = capture.captured() / mb;
  const double rss_end = rss_mb();
  c.islot_stop();
  const QByteArray pcm = capture.stop();

  // Onset: the first 100 ms window (stepped by 10 ms, placed by its centre)
  // where the tone reaches 5 % of its level (0.5 x 5 %), searched from one
  // second before to two seconds after the moment the fade-in reaches 5 %.
  std::vector<qint64> offsets;
  for (const slice& s : slices) {
    const qint64 expected = s.started_ms + s.fadein_ms / 20;
    for (qint64 at = expected - 1000; at < expected + 2000; at += step_ms) {
      const qint64 first = base_bytes / 4 + (at - 50) * 441 / 10;
      if (tone_level(pcm, first, window_frames, frequency(s.row)) >= 0.025) {
        offsets.push_back(at - expected);
        break;
      }
    }
  }
  std::vector<qint64> sorted = offsets;
  std::sort(sorted.begin(), sorted.end());
  const qint64 median = sorted.empty() ? 0 : sorted[sorted.size() / 2];
  int late = 0;
  for (qint64 o : offsets)
    if (std::llabs(o - median) > 100) ++late;
  std::printf("medley soak: %d s, %zu slices, %zu onsets found\n", seconds, slices.size(), offsets.size());
  std::printf("cpu: %.2f %% of one core (whole run), %.2f %% after minute 1\n", 100.0 * cpu / seconds,
              rss_at_1 > 0 ? 100.0 * (cpu_seconds() - cpu_at_1) / (seconds - 60) : 0.0);
  std::printf(
      "rss: %.1f MB at minute 1, %.1f MB at the end; without the capture held (%.1f, %.1f MB): growth %.2f MB\n",
      rss_at_1, rss_end, capture_at_1, capture_end,
      rss_at_1 > 0 ? (rss_end - capture_end) - (rss_at_1 - capture_at_1) : 0.0);
  std::printf("onset offsets (ms, in play order):");
  for (qint64 o : offsets) std::printf(" %lld", static_cast<long long>(o));
  std::printf("\n");
  std::printf(
      "onsets: output latency (median) %lld ms; slices more than 100 ms off schedule: %d (of %zu; %zu not found)\n",
      static_cast<long long>(median), late, offsets.size(), slices.size() - offsets.size());
  return 0;
}
