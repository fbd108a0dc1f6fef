// Faders and play lines on the ALSA "null" device: step arithmetic, ids,
// cancelling and resuming, the phase reports of a line.
#include "ov_playback_normal.h"
#include "ov_playline.h"
#include "ov_playline_fader.h"
#include "ov_test_mp3.h"
#include "ov_test_recording_sink.h"
#include "ov_track.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// Collects a fader's reports in the test's thread.
class fader_reports : public QObject {
public:
  QList<int> ids;
  explicit fader_reports(ov_playline_fader* f) {
    connect(f, &ov_playline_fader::signal_fade_finished, this, [this](int id) { ids << id; });
  }
};

class test_playline : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QString long_tone_;

private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    ov_test_recording_sink::install("null");
    long_tone_ = dir_.filePath("long.mp3");
    ov_test::tone t;
    t.seconds = 4;
    QVERIFY(ov_test::make_tone_mp3(long_tone_, t));
  }

  void step_arithmetic_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("volume");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("level");
    QTest::newRow("fade-in 1000 from 0") << 1 << 1000 << 0 << 5000 << 0;
    QTest::newRow("fade-in 1025") << 1 << 1025 << 0 << 4878 << 0;
    QTest::newRow("fade-in 3000 from 20") << 1 << 3000 << 20 << 1666 << 20000;
    QTest::newRow("fade-out 500 from 100") << 3 << 500 << 100 << 10000 << 100000;
    QTest::newRow("flatline 2000") << 2 << 2000 << 70 << 2500 << 0;
  }
  void step_arithmetic() {
    QFETCH(int, mode);
    QFETCH(int, length);
    QFETCH(int, volume);
    QFETCH(int, step);
    QFETCH(int, level);
    ov_playback_normal playback;
    QVERIFY(playback.load(long_tone_));
    playback.set_volume(volume);
    ov_playline_fader fader;
    fader.setup(&playback, mode, length);
    QCOMPARE(fader.step(), step);
    QCOMPARE(fader.level(), level);
    QCOMPARE(fader.length(), length);
    QCOMPARE(fader.mode(), mode);
  }

  // Below 100 ms the phase finishes at once at its final volume; mode, step
  // and level stay as they were.
  void short_lengths_finish_at_once_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("volume_after");
    QTest::newRow("fade-in") << 1 << 100;
    QTest::newRow("flatline") << 2 << 40;
    QTest::newRow("fade-out") << 3 << 0;
  }
  void short_lengths_finish_at_once() {
    QFETCH(int, mode);
    QFETCH(int, volume_after);
    ov_playback_normal playback;
    QVERIFY(playback.load(long_tone_));
    playback.set_volume(40);
    ov_playline_fader fader;
    fader_reports reports(&fader);
    fader.setup(&playback, mode, 1000);
    const int level = fader.level();
    fader.setup(&playback, mode, 99);
    QCOMPARE(fader.length(), 0);
    QCOMPARE(fader.mode(), mode);
    QCOMPARE(fader.step(), 5000);
    QCOMPARE(fader.level(), level);
    fader.set_id(7);
    fader.start_run();
    QVERIFY(QTest::qWaitFor([&] { return !reports.ids.isEmpty(); }, 2000));
    QCOMPARE(reports.ids, QList<int>{7});
    if (mode != ov_playline_fader::flatline) QCOMPARE(playback.volume(), volume_after);
  }

  // A cancelled fade reports nothing, leaves the volume at a step of its own
  // and continues from that level when started again.
  void cancel_and_resume() {
    ov_playback_normal playback;
    QVERIFY(playback.load(long_tone_));
    playback.set_volume(0);
    ov_playline_fader fader;
    fader_reports reports(&fader);
    fader.setup(&playback, ov_playline_fader::fade_in, 3000);
    fader.set_id(1);
    fader.start_run();
    QTest::qWait(220);
    fader.cancel();
    const int level = fader.level();
    QVERIFY(level > 0 && level < 100000);
    QCOMPARE(level % 1666, 0);
    QCOMPARE(playback.volume(), level / 1000);
    QTest::qWait(120);
    QVERIFY(reports.ids.isEmpty());
    QCOMPARE(fader.level(), level);

    fader.set_id(2);
    fader.start_run();
    QVERIFY(QTest::qWaitFor([&] { return !reports.ids.isEmpty(); }, 6000));
    QCOMPARE(reports.ids, QList<int>{2});
    QCOMPARE(playback.volume(), 100);
    QVERIFY(fader.level() >= 100000);
  }

  // The starting level of a fade-out is taken at setup, not at start.
  void fade_out_counts_from_setup_level() {
    ov_playback_normal playback;
    QVERIFY(playback.load(long_tone_));
    ov_playline_fader fader;
    fader_reports reports(&fader);
    fader.setup(&playback, ov_playline_fader::fade_out, 1000);
    playback.set_volume(30);
    fader.start_run();
    QTest::qWait(120);  // about three ticks: level near 85000, above the volume
    QCOMPARE(playback.volume(), 30);
    QVERIFY(QTest::qWaitFor([&] { return !reports.ids.isEmpty(); }, 4000));
    QCOMPARE(playback.volume(), 0);
  }

  void line_lengths_and_prepare() {
    ov_playline line;
    line.apply_lengths({{"fadein_length", 1200}, {"start_position", 1500}, {"is_no_fade_on_begin_end_enabled", 3}});
    QCOMPARE(line.fadein_length(), 1200);
    QCOMPARE(line.flatline_length(), 0);
    QCOMPARE(line.fadeout_length(), 0);
    QCOMPARE(line.start_position(), 1500);
    QVERIFY(line.is_no_fade());

    // Not loaded: every forwarded call does nothing.
    QCOMPARE(line.position(), 0);
    QCOMPARE(line.volume(), 0);
    line.play();
    QCOMPARE(line.playback()->state(), ove_playback::ready);

    ov_track track(1, 0, ov_tag_data::from_values(long_tone_, "t", "a", "r", 1, 4));
    QVERIFY(line.load(&track));
    QCOMPARE(line.track(), &track);
    QVERIFY(line.is_loaded());
    line.prepare_fadein();
    QCOMPARE(line.volume(), 0);
    QVERIFY(qAbs(line.position() - 1500) <= 27);

    ov_track missing(2, 0, ov_tag_data::from_values(dir_.filePath("gone.mp3"), "t", "a", "r", 1, 4));
    QVERIFY(!line.load(&missing));
    QVERIFY(!line.is_loaded());
  }

  // Every start makes a new id; a restarted fader reports only its last start.
  void ids_and_reports() {
    ov_playline line;
    QVERIFY(line.load_file(long_tone_));
    QSignalSpy fadein(&line, &ov_playline::esignal_fadein_finished);
    QSignalSpy flatline(&line, &ov_playline::esignal_flatline_finished);
    QSignalSpy fadeout(&line, &ov_playline::esignal_fadeout_finished);
    line.apply_lengths({{"fadein_length", 400}, {"flatline_length", 200}, {"fadeout_length", 300}});
    line.prepare_fadein();
    line.start_fadein();
    line.start_fadein();
    QCOMPARE(line.current_id(), 2);
    QVERIFY(fadein.wait(3000));
    QTest::qWait(100);
    QCOMPARE(fadein.count(), 1);
    QCOMPARE(fadein.at(0).at(0).value<ov_playline*>(), &line);
    QCOMPARE(fadein.at(0).at(1).toInt(), 2);
    QCOMPARE(line.volume(), 100);

    line.prepare_flatline();
    line.start_flatline();
    QVERIFY(flatline.wait(3000));
    QCOMPARE(flatline.at(0).at(1).toInt(), 3);
    line.prepare_fadeout();
    line.start_fadeout();
    QVERIFY(fadeout.wait(3000));
    QCOMPARE(fadeout.at(0).at(1).toInt(), 4);
    QCOMPARE(line.volume(), 0);

    // The quick fade-out reports as a fade-out; cancelling reports nothing.
    line.playback()->set_volume(100);
    line.prepare_quick_fadeout();
    line.start_quick_fadeout();
    QVERIFY(fadeout.wait(3000));
    QCOMPARE(fadeout.at(1).at(1).toInt(), 5);
    line.playback()->set_volume(100);
    line.prepare_fadeout();
    line.start_fadeout();
    line.cancel_faders();
    QTest::qWait(400);
    QCOMPARE(fadeout.count(), 2);
    line.reset();
    QCOMPARE(line.volume(), 100);
  }

  void play_finished_carries_current_id() {
    ov_playline line;
    QVERIFY(line.load_file(long_tone_));
    QSignalSpy finished(&line, &ov_playline::esignal_play_finished);
    line.apply_lengths({{"fadein_length", 99}});
    line.prepare_fadein();
    line.start_fadein();
    line.play();
    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.at(0).at(1).toInt(), 1);
  }

  // Destroying lines while faders run and blocks are in flight.
  void destroy_while_fading() {
    for (int i = 0; i < 10; ++i) {
      auto line = std::make_unique<ov_playline>();
      QVERIFY(line->load_file(long_tone_));
      line->apply_lengths({{"fadein_length", 2000}, {"flatline_length", 2000}});
      line->prepare_fadein();
      line->play();
      line->start_fadein();
      line->prepare_flatline();
      line->start_flatline();
      if (i % 2) QTest::qWait(30);
    }
    ov_test_recording_sink::take();
  }
};

QTEST_GUILESS_MAIN(test_playline)
#include "test_playline.moc"
