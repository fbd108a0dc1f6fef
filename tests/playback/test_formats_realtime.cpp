// Every format on a real PulseAudio null sink, measured on the audio that
// reached it (captured with parec at 44.1 kHz): pitch and length, and a
// medley transition between two formats at different rates.
#include "ov_playback_normal.h"
#include "ov_playline.h"
#include "ov_test_capture.h"
#include "ov_test_formats.h"
#include "ov_test_mp3.h"

#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

namespace {
constexpr double loud = 0.1;  // a window louder than this holds the tone

// Rising zero crossings of the left channel per second over the loud part.
double frequency(const QByteArray& pcm) {
  const auto* s = reinterpret_cast<const qint16*>(pcm.constData());
  const qsizetype frames = pcm.size() / 4;
  qsizetype first = -1, last = -1, crossings = 0;
  for (qsizetype i = 1; i < frames; ++i)
    if (s[2 * (i - 1)] < 0 && s[2 * i] >= 0 && std::abs(s[2 * i + (i + 8 < frames ? 16 : 0)]) > 1000) {
      if (first < 0) first = i;
      last = i;
      ++crossings;
    }
  return crossings > 1 ? (crossings - 1) * double(ov_test_capture::rate) / double(last - first) : 0;
}
}  // namespace

class test_formats_realtime : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  std::unique_ptr<ov_test_capture> capture_;

  QString tone_file(const QString& format, const QString& extension, int rate, double frequency, double seconds) {
    const QString path =
        dir_.filePath(QStringLiteral("%1_%2_%3").arg(format).arg(rate).arg(frequency) + extension).replace(' ', '_');
    const QByteArray pcm = ov_test::tone_pcm({.seconds = seconds, .rate = rate, .frequency = frequency});
    return ov_test::encode_audio(format, path, pcm, rate, 2) ? path : QString();
  }

private slots:
  void initTestCase() {
    if (!(capture_ = ov_test_capture::ready())) QSKIP("no PulseAudio test server could be started");
  }
  void cleanupTestCase() { capture_.reset(); }

  // A 1.5-second 440 Hz tone is heard for about 1.5 seconds at 440 Hz.
  void plays_with_pitch_and_length_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<int>("rate");
    int i = 0;
    for (const ov_test::audio_format& f : ov_test::audio_formats())
      QTest::newRow(f.name) << QString(f.name) << QString(f.extension) << (i++ % 2 ? 44100 : 48000);
  }
  void plays_with_pitch_and_length() {
    QFETCH(QString, format);
    QFETCH(QString, extension);
    QFETCH(int, rate);
    ov_playback_normal normal;
    QVERIFY(normal.load(tone_file(format, extension, rate, 440, 1.5)));
    QSignalSpy finished(&normal, &ov_playback_normal::signal_finished);
    QVERIFY(capture_->start());
    normal.play();
    QVERIFY(finished.wait(15000));
    QTest::qWait(300);
    const QByteArray pcm = capture_->stop();
    const int heard = ov_test_capture::loud_ms(ov_test_capture::envelope(pcm), loud);
    const double hz = frequency(pcm);
    qInfo("heard %d ms at %.1f Hz", heard, hz);
    QVERIFY2(heard >= 1350 && heard <= 1800, qPrintable(QString::number(heard)));
    QVERIFY2(std::abs(hz - 440) <= 3, qPrintable(QString::number(hz)));
  }

  // A FLAC line at 44.1 kHz fades out over one second while an Opus line
  // (48 kHz) fades in: the sound never drops out and never jumps.
  void medley_overlaps_two_formats() {
    ov_playline out, in;
    QVERIFY(out.load_file(tone_file("flac", ".flac", 44100, 440, 3.0)));
    QVERIFY(in.load_file(tone_file("opus", ".opus", 48000, 660, 3.0)));
    QSignalSpy faded_out(&out, &ov_playline::esignal_fadeout_finished);
    QSignalSpy faded_in(&in, &ov_playline::esignal_fadein_finished);
    QVERIFY(capture_->start());
    out.play();
    QTest::qWait(700);
    out.apply_lengths({{"fadeout_length", 1000}});
    in.apply_lengths({{"fadein_length", 1000}, {"start_position", 500}});
    out.prepare_fadeout();
    in.prepare_fadein();
    in.play();
    out.start_fadeout();
    in.start_fadein();
    QVERIFY(faded_out.wait(5000));
    QVERIFY(faded_in.count() == 1 || faded_in.wait(5000));
    QTest::qWait(500);
    const QByteArray pcm = capture_->stop();
    out.stop();
    in.stop();
    const QVector<double> env = ov_test_capture::envelope(pcm);
    const double top = *std::max_element(env.begin(), env.end());
    QVERIFY(top > 0.4);
    int start = 0;
    while (start < env.size() && env[start] <= loud) ++start;
    const int end = start + 2000 / 10;  // 0.7 s alone, 1 s of overlap, then the new line
    QVERIFY(end < env.size());
    const double lowest = *std::min_element(env.begin() + start, env.begin() + end);
    const auto* s = reinterpret_cast<const qint16*>(pcm.constData());
    int jump = 0;
    for (qsizetype i = 2; i < pcm.size() / 2; ++i) jump = std::max(jump, std::abs(s[i] - s[i - 2]));
    qInfo("lowest window %.3f of top %.3f, largest step %d", lowest, top, jump);
    QVERIFY2(lowest >= 0.35 * top, qPrintable(QString::number(lowest)));
    QVERIFY2(jump <= 5000, qPrintable(QString::number(jump)));  // two sines step at most about 2600
  }
};

QTEST_GUILESS_MAIN(test_formats_realtime)
#include "test_formats_realtime.moc"
