// The medley controller on real play lines through a PulseAudio null sink:
// overlapping slices, the quick fade of go-next, pause and resume inside a
// fade, "no fade on begin/end", the id checks and destruction while playing.
#include "ov_controller_fixture.h"
#include "ov_playline.h"
#include "ov_test_capture.h"
#include "ovg_controller_manual_medley.h"

#include <QtTest>

using M = ovg_controller_manual_medley;

class test_controller_medley : public QObject {
  Q_OBJECT
  std::unique_ptr<ov_test_capture> capture_;
  std::unique_ptr<ov_controller_fixture> f_;
  std::unique_ptr<M> c_;

  // Short slices: fade-in and fade-out 1 s, flatline 2 s, from 1 s into the file.
  static ov_medley_values short_slices() {
    ov_medley_values v;
    v.fadein_min = v.fadein_max = 1000;
    v.fadeout_min = v.fadeout_max = 1000;
    v.flatline_min = v.flatline_max = 2000;
    v.start_min = v.start_max = 1000;
    return v;
  }
  void build(const QList<double>& seconds) {
    f_ = std::make_unique<ov_controller_fixture>();
    QVERIFY(f_->make(seconds));
    qputenv("ORVANTIS_PCM_DEVICE", "default");
    f_->views.controls.preset = short_slices();
    c_ = std::make_unique<M>(f_->views.ports(), &f_->views.controls, f_->library.get(), f_->engine.get());
    f_->views.controls.busy = [this] { return c_->is_busy(); };
  }

private slots:
  void initTestCase() {
    if (!(capture_ = ov_test_capture::ready())) QSKIP("no PulseAudio test server could be started");
  }
  void cleanup() {
    c_.reset();
    f_.reset();
  }

  // The next slice fades in while the last one fades out: the sound never
  // stops between them, and the lines rotate through the pool.
  void slices_overlap() {
    build({10, 10, 10});
    QVERIFY(capture_->start());
    c_->islot_play_new(f_->playlist.get(), 0);
    ov_playline* first = c_->fadein_line();
    QCOMPARE(first, c_->lines().last());
    QTRY_VERIFY_WITH_TIMEOUT(c_->fadeout_line() == first, 6000);
    QVERIFY(c_->fadein_line() && c_->fadein_line() != first);
    QCOMPARE(c_->fadein_line()->fadein_length(), 1000);
    QTRY_VERIFY_WITH_TIMEOUT(c_->fadeout_line() == nullptr, 3000);
    QTest::qWait(500);
    const QVector<double> env = ov_test_capture::envelope(capture_->stop());
    int first_loud = 0;
    while (first_loud < env.size() && env[first_loud] < 0.1) ++first_loud;
    // From the first loud window on, through the hand-over: no silence.
    int quiet = 0;
    for (int i = first_loud; i < env.size() - 60; ++i)
      if (env[i] < 0.05) ++quiet;
    QVERIFY2(first_loud < env.size() && quiet < 5, qPrintable(QString::number(quiet)));
  }

  // Go-next while playing: 500 ms down for the old line, 500 ms up for the new.
  void go_next_quick_fades() {
    build({10, 10, 10});
    c_->islot_play_new(f_->playlist.get(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(c_->flatline_line() != nullptr, 3000);
    ov_playline* old = c_->flatline_line();
    c_->islot_go_next();
    QCOMPARE(c_->fadeout_line(), old);
    QVERIFY(c_->fadein_line() && c_->fadein_line() != old);
    QCOMPARE(c_->fadein_line()->fadein_length(), 500);
    QCOMPARE(c_->state(), M::playing);
    QTRY_COMPARE_WITH_TIMEOUT(old->volume(), 0, 1500);
    QTRY_VERIFY_WITH_TIMEOUT(c_->flatline_line() != nullptr, 1500);
    QCOMPARE(c_->flatline_line()->volume(), 100);
  }

  // Paused in the middle of a fade-in, the fade goes on from the level reached.
  void pause_inside_fade_in() {
    build({20, 20});
    ov_medley_values v = short_slices();
    v.fadein_min = v.fadein_max = 4000;
    f_->views.controls.preset = v;
    c_->islot_play_new(f_->playlist.get(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(c_->fadein_line() && c_->fadein_line()->fadein_length() == 4000, 8000);
    ov_playline* line = c_->fadein_line();
    QTRY_VERIFY_WITH_TIMEOUT(line->volume() >= 40, 4000);
    c_->islot_pause();
    const int reached = line->volume();
    QVERIFY(reached < 100);
    QTest::qWait(400);
    QCOMPARE(line->volume(), reached);
    c_->islot_toggle_play_pause();
    QCOMPARE(c_->state(), M::playing);
    QTest::qWait(150);
    QVERIFY2(line->volume() >= reached, qPrintable(QString::number(line->volume())));
    QTRY_COMPARE_WITH_TIMEOUT(c_->flatline_line(), line, 4000);
  }

  // "No fade on begin/end": a slice from 0 starts at full volume, and one that
  // runs to the end of its file is not faded out before that end.
  void no_fade_on_begin_end() {
    build({3, 10});
    ov_medley_values v = short_slices();
    v.start_min = v.start_max = 0;
    v.no_fade_on_begin_end = true;
    f_->views.controls.preset = v;
    c_->islot_play_new(f_->playlist.get(), 0);  // 3 s: 500 + 2000 + 500 ms, to the end
    ov_playline* first = c_->lines().last();
    QCOMPARE(first->volume(), 100);
    QTRY_VERIFY_WITH_TIMEOUT(c_->fadeout_line() == first, 4000);
    QVERIFY(c_->fadein_line() != nullptr);  // the next one fades in all the same
    QTest::qWait(250);
    QCOMPARE(first->volume(), 100);  // held until the file ends
    QTRY_VERIFY_WITH_TIMEOUT(c_->fadeout_line() == nullptr, 3000);
  }

  // Reports with another id or from a line in another phase do nothing; a
  // track that fails to load in the chain is passed over silently.
  void reports_and_silent_failures() {
    build({10, 10, 10});
    QVERIFY(QFile::remove(f_->track(1)->tags().file_path()));
    c_->islot_play_new(f_->playlist.get(), 0);
    ov_playline* line = c_->fadein_line();
    c_->slot_fadein_finished(line, line->current_id() + 1);
    c_->slot_flatline_finished(line, line->current_id());
    QCOMPARE(c_->fadein_line(), line);
    QCOMPARE(c_->flatline_line(), nullptr);
    QTRY_VERIFY_WITH_TIMEOUT(c_->fadein_line() && c_->fadein_line() != line, 6000);
    QVERIFY(!c_->fadein_line()->is_loaded());
    QVERIFY(f_->views.controls.errors.isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(c_->fadein_line() && c_->fadein_line()->is_loaded(), 8000);
    QCOMPARE(c_->state(), M::playing);
  }

  void failed_start_shows_error() {
    build({10, 10});
    QVERIFY(QFile::remove(f_->track(0)->tags().file_path()));
    c_->islot_play_new(f_->playlist.get(), 0);
    QCOMPARE(c_->state(), M::stopped);
    QCOMPARE(f_->views.controls.busy_at_error, QList<bool>{false});
    QVERIFY(f_->views.controls.errors.value(0).startsWith(QStringLiteral("Failed to open file.\n")));
  }

  void destroyed_while_playing() {
    build({10, 10});
    c_->islot_play_new(f_->playlist.get(), 0);
    QTest::qWait(1200);
    c_.reset();
    QTest::qWait(300);
  }
};

QTEST_MAIN(test_controller_medley)
#include "test_controller_medley.moc"
