// The medley scheduler with a fixed random source: the bounds it takes from
// a preset and the three cases of drawing the lengths.
#include "ov_medley_scheduler.h"
#include "ov_random.h"
#include "ov_rank_table.h"
#include "ov_tag_data.h"
#include "ov_track.h"

#include <QtTest>

namespace {
ov_track make_track(int seconds, int score = 0) {
  ov_track t(1, 0, ov_tag_data::from_values(QStringLiteral("/m/a.mp3"), "a", "b", "c", 1, seconds));
  t.add_score(score);
  return t;
}
using S = ov_medley_scheduler;
}  // namespace

class test_medley_scheduler : public QObject {
  Q_OBJECT
  ov_random_fixed random_{11};
  ov_random_scope scope_{&random_};

private slots:
  // Bounds taken from a preset: ratios of the track, the 2000 ms lift, the
  // cap, and adjust fade length against the line fading out.
  void bounds_data() {
    QTest::addColumn<int>("seconds");
    QTest::addColumn<bool>("in_seconds");
    QTest::addColumn<bool>("adjust");
    QTest::addColumn<int>("fadeout");
    QTest::addColumn<QList<int>>("expected");  // fi min, max, fl min, max, sp min, max
    QTest::newRow("defaults") << 200 << true << false << -1 << QList<int>{2000, 7000, 20000, 45000, 0, 180000};
    QTest::newRow("ratio 200 s") << 200 << false << false << -1 << QList<int>{2000, 7000, 60000, 100000, 0, 100000};
    QTest::newRow("ratio 5 s lifted") << 5 << false << false << -1 << QList<int>{2000, 7000, 2000, 2500, 0, 2500};
    QTest::newRow("adjust within") << 200 << true << true << 4000 << QList<int>{4000, 4000, 20000, 45000, 0, 180000};
    QTest::newRow("adjust above") << 200 << true << true << 9000 << QList<int>{7000, 7000, 20000, 45000, 0, 180000};
    QTest::newRow("adjust below") << 200 << true << true << 500 << QList<int>{2000, 2000, 20000, 45000, 0, 180000};
    QTest::newRow("adjust without line") << 200 << true << true << -1
                                         << QList<int>{2000, 7000, 20000, 45000, 0, 180000};
  }
  void bounds() {
    QFETCH(int, seconds);
    QFETCH(bool, in_seconds);
    QFETCH(bool, adjust);
    QFETCH(int, fadeout);
    QFETCH(QList<int>, expected);
    ov_medley_values v;
    v.flatline_in_seconds = v.start_in_seconds = in_seconds;
    v.adjust_fade_length = adjust;
    const ov_track t = make_track(seconds);
    S s;
    s.apply_values(v, &t, fadeout);
    QCOMPARE((QList<int>{s.fadein_min, s.fadein_max, s.flatline_min, s.flatline_max, s.start_min, s.start_max}),
             expected);
  }

  void swapped_bounds_and_cap() {
    ov_medley_values v;
    v.fadein_min = 7000, v.fadein_max = 1000;
    v.flatline_min = 3000000, v.flatline_max = 100;
    v.start_min = -5, v.start_max = 2000000;
    S s;
    const ov_track t = make_track(100);
    s.apply_values(v, &t, -1);
    QCOMPARE((QList<int>{s.fadein_min, s.fadein_max, s.flatline_min, s.flatline_max, s.start_min, s.start_max}),
             (QList<int>{1000, 7000, 2000, 1000000, 0, 1000000}));
  }

  // Longer on high scored: the addition is at most r percent of the range,
  // r = rank x 6 + 10 (94 for SS, 10 for F).
  void longer_on_high_scored_data() {
    QTest::addColumn<int>("score");
    QTest::addColumn<int>("percent");
    QTest::newRow("F") << 0 << 10;
    QTest::newRow("SS") << ov_rank_table::highest_score << 94;
  }
  void longer_on_high_scored() {
    QFETCH(int, score);
    QFETCH(int, percent);
    ov_medley_values v;
    v.longer_on_high_scored = true;
    v.flatline_min = 10000, v.flatline_max = 20000;
    const ov_track t = make_track(200, score);
    int highest = 0;
    for (int i = 0; i < 400; ++i) {
      S s;
      s.apply_values(v, &t, -1);
      QVERIFY(s.flatline_min >= 10000 && s.flatline_max == 20000);
      highest = qMax(highest, s.flatline_min - 10000);
    }
    QVERIFY(highest <= percent * 100);
    QVERIFY(highest >= (percent - 3) * 100);  // the top of the range is reached
  }

  // The three cases on the initial bounds: sum_min 24000, sum_max 59000.
  void draw_lengths_data() {
    QTest::addColumn<int>("available");
    QTest::addColumn<QList<int>>("lower");  // fi, fo, fl
    QTest::addColumn<QList<int>>("upper");
    QTest::newRow("long 59000") << 59000 << QList<int>{2000, 2000, 20000} << QList<int>{7000, 7000, 45000};
    QTest::newRow("long 60000") << 60000 << QList<int>{2000, 2000, 20000} << QList<int>{7000, 7000, 45000};
    QTest::newRow("between 40000") << 40000 << QList<int>{2000, 2000, 20000} << QList<int>{25000, 25000, 63000};
    QTest::newRow("short 10000") << 10000 << QList<int>{500, 500, 2000} << QList<int>{9500, 9500, 29000};
    QTest::newRow("short 24000") << 24000 << QList<int>{500, 500, 2000} << QList<int>{10500, 10500, 43000};
    QTest::newRow("short 1000") << 1000 << QList<int>{500, 500, 2000} << QList<int>{500, 500, 2000};
    QTest::newRow("short -5000") << -5000 << QList<int>{500, 500, 2000} << QList<int>{500, 500, 2000};
  }
  void draw_lengths() {
    QFETCH(int, available);
    QFETCH(QList<int>, lower);
    QFETCH(QList<int>, upper);
    S s;
    const int sum_min = 24000;
    for (int i = 0; i < 200; ++i) {
      const S::lengths l = s.draw_lengths(available);
      const QList<int> got{l[S::key_fadein], l[S::key_fadeout], l[S::key_flatline]};
      for (int k = 0; k < 3; ++k)
        QVERIFY2(got[k] >= lower[k] && got[k] <= upper[k], qPrintable(QString::number(got[k])));
      const int sum = got[0] + got[1] + got[2];
      // The last draw of a round may pass the rest, by at most one bound.
      if (available > sum_min && available < 59000) QVERIFY(sum <= available + 45000);
      // The short case's last draw may end past the rest, by less than the flatline bound.
      if (available <= sum_min && available >= 3000) QVERIFY(sum <= available + 20000);
    }
  }

  // A 60-second track: the four keys, the slice inside the file unless short.
  void schedule_60_and_10_seconds() {
    S s;
    for (int seconds : {60, 10}) {
      const ov_track t = make_track(seconds);
      for (int i = 0; i < 200; ++i) {
        const S::lengths l = s.schedule(&t);
        QCOMPARE(l.size(), 4);
        QVERIFY(l[S::key_start] >= 0 && l[S::key_start] <= seconds * 1000);
        QVERIFY(l[S::key_fadein] >= 500 && l[S::key_flatline] >= 2000);
      }
    }
    const ov_track t = make_track(60);
    const S::lengths q = s.schedule_quick(&t);
    QVERIFY(q[S::key_fadein] >= 500);  // the rounds of the short and between cases may add to it
    QCOMPARE(s.fadein_min, 2000);
    QCOMPARE(s.fadein_max, 7000);
  }
};

QTEST_GUILESS_MAIN(test_medley_scheduler)
#include "test_medley_scheduler.moc"
