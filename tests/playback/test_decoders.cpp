// The decoders of every format on files encoded at test time: the samples,
// their pitch, length and start, exact seeks, cut-off files and junk.
#include "ov_decoder.h"
#include "ov_regular_file.h"
#include "ov_test_env.h"
#include "ov_test_formats.h"
#include "ov_test_mp3.h"

#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {
// Every file holds one second of silence, then one second of a 440 Hz tone.
constexpr int silence_ms = 1000;
constexpr int tone_ms = 1000;
constexpr double tolerance_ms = 5.0;

QByteArray source_pcm(int rate, int channels, int tone_length_ms = tone_ms) {
  return QByteArray(rate * silence_ms / 1000 * channels * 2, 0) +
         ov_test::tone_pcm({.seconds = tone_length_ms / 1000.0, .rate = rate, .channels = channels});
}

QByteArray decode_rest(ov_decoder* d) {
  QByteArray out;
  QByteArray block(10000, 0);
  for (;;) {
    const ov_decoder::read_result r = d->read(block.data(), int(block.size()));
    out.append(block.constData(), r.bytes);
    if (r.ended) return out;
  }
}

double ms_of(qint64 frames, int rate) {
  return frames * 1000.0 / rate;
}
// Where the tone starts: the first stereo frame louder than a tenth of full scale.
double onset_ms(const QByteArray& pcm, int rate) {
  const auto* s = reinterpret_cast<const qint16*>(pcm.constData());
  for (qsizetype i = 0; i < pcm.size() / 2; ++i)
    if (std::abs(s[i]) > 3277) return ms_of(i / 2, rate);
  return -1;
}
// Rising zero crossings of the left channel per second, between 10 ms after
// the onset and 10 ms before the end.
double frequency(const QByteArray& pcm, int rate) {
  const auto* s = reinterpret_cast<const qint16*>(pcm.constData());
  const qsizetype from = qsizetype(onset_ms(pcm, rate) + 10) * rate / 1000, to = pcm.size() / 4 - rate / 100;
  qsizetype first = -1, last = -1, crossings = 0;
  for (qsizetype i = from + 1; i < to; ++i)
    if (s[2 * (i - 1)] < 0 && s[2 * i] >= 0) {
      if (first < 0) first = i;
      last = i;
      ++crossings;
    }
  return crossings > 1 ? (crossings - 1) * double(rate) / double(last - first) : 0;
}
}  // namespace

class test_decoders : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;

  // The encoded file of a format; Opus always decodes at 48 kHz.
  QString file(const QString& format, int rate, int channels = 2, int tone_length_ms = tone_ms) {
    QString extension;
    for (const ov_test::audio_format& f : ov_test::audio_formats())
      if (format == f.name) extension = f.extension;
    const QString path =
        dir_.filePath(
                QStringLiteral("%1_%2_%3_%4%5").arg(format).arg(rate).arg(channels).arg(tone_length_ms).arg(extension))
            .replace(' ', '_');
    if (!QFile::exists(path) &&
        !ov_test::encode_audio(format, path, source_pcm(rate, channels, tone_length_ms), rate, channels))
      return QString();
    return path;
  }

  void add_format_rows() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("rate");
    QTest::addColumn<bool>("lossless");
    int i = 0;
    for (const ov_test::audio_format& f : ov_test::audio_formats())
      QTest::newRow(f.name) << QString(f.name) << (i++ % 2 ? 44100 : 48000) << f.lossless;
  }

private slots:
  void initTestCase() { QVERIFY(dir_.isValid()); }

  // Stereo at the file's own rate; lossless formats give back the very
  // samples; every format starts its tone after one second (encoder delay
  // and padding removed), lasts two seconds and plays 440 Hz.
  void decodes_the_music_data() { add_format_rows(); }
  void decodes_the_music() {
    QFETCH(QString, format);
    QFETCH(int, rate);
    QFETCH(bool, lossless);
    const QString path = file(format, rate);
    QVERIFY(!path.isEmpty());
    QString reason;
    const auto d = ov_decoder::open(path, &reason);
    QVERIFY2(d, qPrintable(reason));
    const int out_rate = format == "opus" ? 48000 : rate;
    QCOMPARE(d->rate(), out_rate);
    QCOMPARE(d->channels(), 2);
    QCOMPARE(d->position(), 0);
    const QByteArray pcm = decode_rest(d.get());
    if (lossless) QVERIFY(pcm == source_pcm(rate, 2));
    const double length = ms_of(pcm.size() / 4, out_rate);
    QVERIFY2(std::abs(length - (silence_ms + tone_ms)) <= tolerance_ms, qPrintable(QString::number(length)));
    const double onset = onset_ms(pcm, out_rate);
    QVERIFY2(std::abs(onset - silence_ms) <= tolerance_ms, qPrintable(QString::number(onset)));
    const double hz = frequency(pcm, out_rate);
    QVERIFY2(std::abs(hz - 440.0) <= 2.0, qPrintable(QString::number(hz)));
    QCOMPARE(d->read(QByteArray(4000, 0).data(), 4000).ended, true);  // and stays at the end
  }

  // A seek lands within 5 ms of its target, forwards and backwards, and the
  // position says the target.
  void seeks_are_exact_data() { add_format_rows(); }
  void seeks_are_exact() {
    QFETCH(QString, format);
    QFETCH(int, rate);
    const auto d = ov_decoder::open(file(format, rate));
    QVERIFY(d);
    for (const int target : {700, 1500, 300}) {
      d->seek(qint64(target) * d->rate() / 1000);
      QCOMPARE(d->position(), qint64(target) * d->rate() / 1000);
      const QByteArray rest = decode_rest(d.get());
      const double left = ms_of(rest.size() / 4, d->rate());
      QVERIFY2(std::abs(left - (silence_ms + tone_ms - target)) <= tolerance_ms,
               qPrintable(QStringLiteral("%1 ms left after a seek to %2").arg(left).arg(target)));
      if (target < silence_ms) {
        const double onset = onset_ms(rest, d->rate());
        QVERIFY2(std::abs(onset - (silence_ms - target)) <= tolerance_ms,
                 qPrintable(QStringLiteral("onset %1 after a seek to %2").arg(onset).arg(target)));
      }
    }
  }

  // A mono file plays on both channels at full level.
  void mono_goes_to_both_channels() {
    const auto d = ov_decoder::open(file("flac", 44100, 1));
    QVERIFY(d);
    QCOMPARE(d->channels(), 2);
    const QByteArray pcm = decode_rest(d.get());
    const QByteArray mono = source_pcm(44100, 1);
    QCOMPARE(pcm.size(), mono.size() * 2);
    const auto* s = reinterpret_cast<const qint16*>(pcm.constData());
    const auto* m = reinterpret_cast<const qint16*>(mono.constData());
    for (qsizetype i = 0; i < mono.size() / 2; ++i)
      if (s[2 * i] != m[i] || s[2 * i + 1] != m[i]) QFAIL(qPrintable(QStringLiteral("differs at %1").arg(i)));
  }

  // A file of nine seconds cut off at 90 % plays what it holds and ends.
  void cut_off_files_end_data() { add_format_rows(); }
  void cut_off_files_end() {
    QFETCH(QString, format);
    QFETCH(int, rate);
    const QString whole = file(format, rate, 2, 8000);
    const QString cut = whole + QStringLiteral(".cut") + whole.mid(whole.lastIndexOf('.'));
    QFile::remove(cut);
    QVERIFY(QFile::copy(whole, cut));
    QFile f(cut);
    QVERIFY(f.resize(f.size() * 9 / 10));
    QString reason;
    const auto d = ov_decoder::open(cut, &reason);
    QVERIFY2(d, qPrintable(reason));
    const double length = ms_of(decode_rest(d.get()).size() / 4, d->rate());
    QVERIFY2(length > 5000 && length < 8950, qPrintable(QString::number(length)));
  }

  // Junk under every extension is refused by the bounded probe, in the
  // decoding library's words; so is a file named .mp3 that holds FLAC.
  void junk_is_refused_data() {
    QTest::addColumn<QString>("extension");
    for (const char* e : {".flac", ".opus", ".ogg", ".oga", ".m4a", ".wav"}) QTest::newRow(e) << QString(e);
  }
  void junk_is_refused() {
    QFETCH(QString, extension);
    const QString path = dir_.filePath("junk" + extension);
    QVERIFY(ov_test::write_file(path, ov_test::junk(4 * 1024 * 1024, 11)));
    QVERIFY(QFile::resize(path, 100LL * 1024 * 1024));  // the rest is a hole of zeros
    const ov_regular_file open(path);
    const ov_audio_probe probe = ov_probe_audio(open.fd(), path);
    QVERIFY(!probe.is_music());
    QVERIFY(!probe.reason.isEmpty());
    QVERIFY(!ov_decoder::open(path));
    QFile::remove(path);
  }

  void content_decides_data() {
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");
    QTest::newRow("opus named .ogg") << "opus"
                                     << "opus.ogg" << int(ov_audio_kind::ogg_opus);
    QTest::newRow("flac named .ogg") << "ogg flac"
                                     << "flac.ogg" << int(ov_audio_kind::ogg_flac);
    QTest::newRow("flac named .wav") << "flac"
                                     << "flac.wav" << int(ov_audio_kind::flac);
    QTest::newRow("flac named .mp3") << "flac"
                                     << "flac.mp3" << int(ov_audio_kind::none);
  }
  void content_decides() {
    QFETCH(QString, format);
    QFETCH(QString, name);
    QFETCH(int, kind);
    const QString path = dir_.filePath(name);
    QFile::remove(path);
    QVERIFY(QFile::copy(file(format, 44100), path));
    const ov_regular_file open(path);
    QCOMPARE(int(ov_probe_audio(open.fd(), path).kind), kind);
  }
};

QTEST_GUILESS_MAIN(test_decoders)
#include "test_decoders.moc"
