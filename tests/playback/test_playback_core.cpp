// Decode path through the ALSA "null" device: what the core hands to the
// sink, signals, seeking, invalid and odd files.
#include "ov_log_capture.h"
#include "ov_playback_core.h"
#include "ov_playback_normal.h"
#include "ov_test_decode.h"
#include "ov_test_env.h"
#include "ov_test_mp3.h"
#include "ov_test_recording_sink.h"
#include "ov_test_signal_log.h"

#include <QDir>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

class test_playback_core : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString tone_path(int rate, int channels, double seconds, double amplitude = 0.9) {
    const QString path =
        dir_.filePath(QStringLiteral("tone_%1_%2_%3_%4.mp3").arg(rate).arg(channels).arg(seconds).arg(amplitude));
    if (!QFile::exists(path)) {
      const ov_test::tone t{.seconds = seconds, .rate = rate, .channels = channels, .amplitude = amplitude};
      if (!ov_test::make_tone_mp3(path, t)) return QString();
    }
    return path;
  }
  // Plays a core to its end and returns what it handed to the sink.
  static QByteArray play_out(ov_playback_core* core, ov_test_signal_log* log) {
    ov_test_recording_sink::take();
    core->play();
    if (!QTest::qWaitFor([&] { return log->has(QStringLiteral("playing->finished")); }, 20000)) return "timeout";
    return ov_test_recording_sink::take();
  }

private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    ov_test_recording_sink::install("null");
  }

  void scaled_output_data() {
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("channels");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("global");
    QTest::addColumn<int>("divisor");
    QTest::newRow("stereo 100/100 bit for bit") << 44100 << 2 << 100 << 100 << 1;
    QTest::newRow("stereo 50/50 a quarter") << 44100 << 2 << 50 << 50 << 4;
    QTest::newRow("stereo 100/50 a half") << 44100 << 2 << 100 << 50 << 2;
    QTest::newRow("mono 22.05 kHz 50/50") << 22050 << 1 << 50 << 50 << 4;
  }
  void scaled_output() {
    QFETCH(int, rate);
    QFETCH(int, channels);
    QFETCH(int, line);
    QFETCH(int, global);
    QFETCH(int, divisor);
    const QString path = tone_path(rate, channels, 2.0);
    QVERIFY(!path.isEmpty());
    QByteArray expected = ov_test::decode_all(path);
    QVERIFY(expected.size() > rate);
    auto* s = reinterpret_cast<qint16*>(expected.data());
    for (int i = 0; i < expected.size() / 2; ++i) s[i] = qint16(s[i] / divisor);  // C division truncates toward zero

    ov_test_signal_log log;
    ov_playback_core core(path, global);
    QVERIFY(core.is_valid());
    core.set_volume(line);
    log.watch(&core);
    const QByteArray played = play_out(&core, &log);
    QCOMPARE(played.size(), expected.size());
    int first = 0;
    while (first < played.size() && played[first] == expected[first]) ++first;
    QVERIFY2(played == expected, qPrintable(QStringLiteral("first difference at byte %1").arg(first)));
  }

  void seek_by_frame() {
    ov_test_signal_log log;
    ov_playback_core core(tone_path(44100, 2, 3.0), 100);
    QVERIFY(core.is_valid());
    log.watch(&core);
    core.seek(1000);
    QCOMPARE(core.position(), 993);  // frame 38 of 26.1224 ms
    QCOMPARE(log.lines, QStringList{QStringLiteral("position 1000")});
    QCOMPARE(core.state(), ove_playback::ready);
    // Playing from there hands over the audio from frame 38 on.
    const QByteArray played = play_out(&core, &log);
    const QByteArray whole = ov_test::decode_all(tone_path(44100, 2, 3.0));
    QVERIFY(played.size() > 0);
    QVERIFY(whole.endsWith(played));
    QVERIFY(whole.size() - played.size() >= 37 * 4608);
    // A 22.05 kHz stream has frames of 576 samples, the same 26.1224 ms:
    // seeking to 2000 ms leaves about one second of its three to play.
    ov_playback_core half_rate(tone_path(22050, 1, 3.0), 100);
    ov_test_signal_log half_log;
    half_log.watch(&half_rate);
    half_rate.seek(2000);
    QCOMPARE(half_rate.position(), 2011);  // frame 77
    const QByteArray rest = play_out(&half_rate, &half_log);
    const QByteArray all = ov_test::decode_all(tone_path(22050, 1, 3.0));
    QVERIFY2(all.endsWith(rest), qPrintable(QStringLiteral("%1 of %2").arg(rest.size()).arg(all.size())));
    // (The encoder's delay of about two frames is trimmed from the start.)
    const qsizetype after_seek = all.size() - 77 * 576 * 2;
    QVERIFY2(rest.size() >= after_seek && rest.size() <= after_seek + 2 * 576 * 2,
             qPrintable(QString::number(rest.size())));
  }

  void state_signals_in_order() {
    ov_test_signal_log log;
    auto core = std::make_unique<ov_playback_core>(tone_path(44100, 2, 1.0), 100);
    QVERIFY(core->is_valid());
    log.watch(core.get());
    core->pause();  // nothing: not playing
    core->stop();   // nothing: ready
    QVERIFY(log.lines.isEmpty());
    play_out(core.get(), &log);
    core->play();  // replays from the end: finishes again at once
    QVERIFY(QTest::qWaitFor([&] { return log.lines.count(QStringLiteral("playing->finished")) == 2; }, 10000));
    core->stop();
    QCOMPARE(core->position(), 0);
    core->play();
    QVERIFY(QTest::qWaitFor([&] { return log.lines.count(QStringLiteral("playing->finished")) == 3; }, 10000));
    core.reset();
    const QStringList expected = {"ready->playing", "finished",          "playing->finished", "finished->playing",
                                  "finished",       "playing->finished", "finished->stopped", "stopped->playing",
                                  "finished",       "playing->finished", "finished->stopped", "stopped->closed"};
    QCOMPARE(log.lines, expected);
  }

  // Without an output device the core is invalid; nothing else happens.
  void no_device() {
    ov_pcm_sink_alsa sink("no-such-device");
    QVERIFY(!sink.open(44100, 2, [](ov_pcm_sink::block*) {}));
    sink.close();
    ov_test_recording_sink::install("no-such-device");
    {
      ov_playback_core core(tone_path(44100, 2, 1.0), 100);
      QVERIFY(!core.is_valid());
      ov_playback_normal normal;
      QVERIFY(!normal.load(tone_path(44100, 2, 1.0)));
    }
    ov_test_recording_sink::install("null");
  }

  // Every corpus file (and a missing file and a text file) is refused or
  // plays to its end. A refused file leaves the player without a core; what
  // reaches the sink is libmpg123's decode without the stretches in a foreign
  // format (one file changes format mid-stream) and without anything after a
  // decoder error.
  void files_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("must_refuse");
    const QSet<QString> refused = {"lofty__junk.mp3", "tinytag__UTF16.mp3", "tinytag__incomplete.mp3"};
    const QStringList files = QDir(ov_test::corpus_dir()).entryList({"*.mp3"}, QDir::Files, QDir::Name);
    QVERIFY(files.size() > 20);
    for (const QString& f : files)
      QTest::newRow(qPrintable(f)) << ov_test::corpus_dir() + '/' + f << refused.contains(f);
    QTest::newRow("missing") << dir_.filePath("does-not-exist.mp3") << true;
    QTest::newRow("text") << dir_.filePath("text.mp3") << true;
  }
  void files() {
    QFETCH(QString, path);
    QFETCH(bool, must_refuse);
    if (path.endsWith("text.mp3")) QVERIFY(ov_test::write_file(path, QByteArray(5000, 'x')));
    ov_log_capture log_lines;
    auto core = std::make_unique<ov_playback_core>(path, 100);
    if (!core->is_valid()) {
      ov_playback_normal normal;
      const QString good = tone_path(44100, 2, 1.0);
      QVERIFY(normal.load(good));
      QVERIFY(!normal.load(path));
      QVERIFY(!normal.is_loaded());
      QCOMPARE(normal.file_path(), good);
      QCOMPARE(normal.position(), 0);
      QCOMPARE(normal.volume(), 0);
      normal.play();                                   // no core: nothing happens
      QCOMPARE(normal.state(), ove_playback::closed);  // the last word of the dropped core
      return;
    }
    QVERIFY(!must_refuse);
    ov_test_signal_log log;
    log.watch(core.get());
    const QByteArray played = play_out(core.get(), &log);
    const QByteArray expected = ov_test::decode_all(path, true);
    QCOMPARE(played.size(), expected.size());
    QVERIFY(played == expected);
    if (path.endsWith("mm__outofbounds.mp3")) QVERIFY(ov_test::decode_all(path).size() > expected.size());
    // A decoder error is one log line per file, however many blocks met it.
    core.reset();
    QVERIFY(log_lines.lines().filter(QStringLiteral("decoding stopped")).size() <= 1);
  }

  // Volumes are clamped to 0..100; the player keeps the global volume across loads.
  void volumes() {
    ov_playback_core core(tone_path(44100, 2, 1.0), 250);
    QCOMPARE(core.global_volume(), 100);
    for (auto [given, kept] : {std::pair{150, 100}, {-5, 0}}) {
      core.set_volume(given);
      core.set_global_volume(given);
      QCOMPARE(core.volume(), kept);
      QCOMPARE(core.global_volume(), kept);
    }
    ov_playback_normal normal;
    QCOMPARE(normal.volume(), 0);
    QCOMPARE(normal.position(), 0);
    normal.pause();
    normal.stop();
    normal.seek(500);
    normal.slot_global_volume_changed(250);
    QCOMPARE(normal.global_volume(), 100);
    normal.slot_global_volume_changed(40);
    QSignalSpy changed(&normal, &ov_playback_normal::signal_trunk_file_changed);
    const QString path = tone_path(44100, 2, 1.0);
    QVERIFY(normal.load(path));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).toString(), path);
    QCOMPARE(normal.volume(), 100);
    normal.set_volume(130);
    QCOMPARE(normal.volume(), 100);
    ov_test_signal_log log;
    log.watch(&normal);
    ov_test_recording_sink::take();
    normal.play();
    QVERIFY(QTest::qWaitFor([&] { return normal.state() == ove_playback::finished; }, 10000));
    QCOMPARE(log.lines, QStringList({"ready->playing", "finished", "playing->finished"}));
    // Played at 40 % global volume.
    const QByteArray played = ov_test_recording_sink::take();
    QByteArray expected = ov_test::decode_all(path);
    auto* s = reinterpret_cast<qint16*>(expected.data());
    for (int i = 0; i < expected.size() / 2; ++i) s[i] = qint16(int(float(s[i]) * float(1.0 * (0.01 * 40))));
    QVERIFY(played == expected);
    // A second load keeps the master volume and starts silent until play.
    QVERIFY(normal.load(tone_path(22050, 1, 2.0)));
    QCOMPARE(normal.state(), ove_playback::closed);
    QTest::qWait(100);
    QCOMPARE(ov_test_recording_sink::take().size(), 0);
  }

  // Destroying a core in the middle of playback, many times over.
  void destroy_while_playing() {
    const QString path = tone_path(44100, 2, 5.0);
    for (int i = 0; i < 30; ++i) {
      auto core = std::make_unique<ov_playback_core>(path, 60);
      QVERIFY(core->is_valid());
      core->play();
      if (i % 3 == 1) QTest::qWait(i);
      if (i % 3 == 2) core->pause();
    }
    ov_test_recording_sink::take();
  }
};

QTEST_GUILESS_MAIN(test_playback_core)
#include "test_playback_core.moc"
