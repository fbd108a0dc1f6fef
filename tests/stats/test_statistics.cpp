#include "ov_statistics.h"
#include "ov_stats_fixture.h"

#include <QtTest>

using namespace ov_stats_test;

namespace {

const QDate today(2026, 3, 31);

QString leaders_text(const QList<ov_statistics::leader>& list) {
  QStringList out;
  for (const ov_statistics::leader& l : list) out << QStringLiteral("%1=%2").arg(l.label).arg(l.value);
  return out.join(QLatin1Char(' '));
}

}  // namespace

class test_statistics : public QObject {
  Q_OBJECT

private slots:
  void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

  void ranks() {
    fixture f;
    ov_statistics stats(f.library.get(), f.history_db.get());
    QCOMPARE(stats.rank_counts(), (QList<int>{2, 1, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 1}));
    QCOMPARE(stats.tracks_in_rank(0), (QList<int>{1, 2}));
    QCOMPARE(stats.tracks_in_rank(14), (QList<int>{5}));
    QCOMPARE(stats.summary(ov_chart::ranks, today), QStringLiteral("6 tracks; 33 % in F; 1 at SS"));
    const QString csv = stats.csv(ov_chart::ranks, today);
    QVERIFY(csv.startsWith(QStringLiteral("rank,tracks\nF,2\nF+,1\nE,0\n")));
    QVERIFY(csv.endsWith(QStringLiteral("S,1\nS+,0\nSS,1\n")));
    QCOMPARE(csv.count(QLatin1Char('\n')), 16);
  }

  void leaders_by_score() {
    fixture f;
    ov_statistics stats(f.library.get(), f.history_db.get());
    // Alpha has no points and is left out; the two "Sun" albums are two groups.
    QCOMPARE(leaders_text(stats.top_tracks()),
             QStringLiteral("Epsilon=600000 Zeta, \"live\"=10000 Delta=1500 Gamma=20 Beta=19"));
    QCOMPARE(leaders_text(stats.top_albums_by_score()), QStringLiteral("Sun=600000 Moon=1520 Sun=19"));
    QCOMPARE(leaders_text(stats.top_artists_by_score()), QStringLiteral("Cid=600000 Bob=1520 Ann=19"));
    QCOMPARE(stats.summary(ov_chart::top_tracks, today), QStringLiteral("Leader: Epsilon with 600,000 points"));
    QCOMPARE(stats.csv(ov_chart::top_tracks, today),
             QStringLiteral("position,title,artist,album,score\n1,Epsilon,Cid,Sun,600000\n2,\"Zeta, \"\"live\"\"\",,,"
                            "10000\n3,Delta,Bob,Moon,1500\n4,Gamma,Bob,Moon,20\n5,Beta,Ann,Sun,19\n"));
    QCOMPARE(stats.csv(ov_chart::albums_by_score, today),
             QStringLiteral("position,album,directory,score\n1,Sun,/m/c,600000\n2,Moon,/m/b,1520\n3,Sun,/m/a,19\n"));
  }

  void leaders_by_listening_time() {
    fixture f;
    f.fill_history();
    ov_statistics stats(f.library.get(), f.history_db.get());
    QVERIFY(stats.refresh_history());
    QCOMPARE(leaders_text(stats.top_albums_by_time()), QStringLiteral("Sun=1500 (removed)=1200 Moon=360 Sun=120"));
    QCOMPARE(leaders_text(stats.top_artists_by_time()), QStringLiteral("Cid=1500 (removed)=1200 Bob=360 Ann=120"));
    QCOMPARE(stats.summary(ov_chart::artists_by_time, today), QStringLiteral("Leader: Cid with 25 min listened"));
    QCOMPARE(stats.csv(ov_chart::albums_by_time, today),
             QStringLiteral("position,album,directory,seconds\n1,Sun,/m/c,1500\n2,(removed),,1200\n3,Moon,/m/b,360\n"
                            "4,Sun,/m/a,120\n"));
  }

  void listening_over_time() {
    fixture f;
    f.fill_history();
    ov_statistics stats(f.library.get(), f.history_db.get());
    QVERIFY(stats.refresh_history());
    QVERIFY(!stats.refresh_history());

    const QList<ov_statistics::listening_bucket> days = stats.listening_days(today);
    QCOMPARE(days.size(), 30);
    QCOMPARE(days.first().first, QDate(2026, 3, 2));
    QCOMPARE(days.first().normal, 600);
    QCOMPARE(days.last().normal, 120);
    QCOMPARE(days.last().medley, 60);
    QCOMPARE(stats.summary(ov_chart::listening_days, today),
             QStringLiteral("18 min listened in the last 30 days, on 3 of them; 6 % in shuffle medley play"));
    const QString csv = stats.csv(ov_chart::listening_days, today);
    QVERIFY(
        csv.startsWith(QStringLiteral("day,normal play seconds,shuffle medley play seconds\n2026-03-02,600,0\n"
                                      "2026-03-03,0,0\n")));
    QVERIFY(csv.endsWith(QStringLiteral("2026-03-30,300,0\n2026-03-31,120,60\n")));

    // The first of the 52 weeks starts 363 days before today: the play of
    // March 2025 is outside.
    const QList<ov_statistics::listening_bucket> weeks = stats.listening_weeks(today);
    QCOMPARE(weeks.size(), 52);
    QCOMPARE(weeks.first().first, QDate(2025, 4, 2));
    QCOMPARE(weeks.last().first, QDate(2026, 3, 25));
    QCOMPARE(weeks.last().normal, 420);
    QCOMPARE(weeks[47].first, QDate(2026, 2, 25));
    QCOMPARE(weeks[47].medley, 900);
    QCOMPARE(stats.summary(ov_chart::listening_weeks, today),
             QStringLiteral("33 min listened in the last 52 weeks, in 2 of them; 48 % in shuffle medley play"));
    QVERIFY(stats.csv(ov_chart::listening_weeks, today).endsWith(QStringLiteral("2026-03-25,2026-03-31,420,60\n")));

    // Rows appended later are added to what was read, also after a first
    // read on a worker.
    ov_statistics worker_read(f.library.get(), f.history_db.get());
    worker_read.read_history_in_background();
    worker_read.wait_for_history();
    f.play(at(2026, 3, 31, 14), 6, 30, 1);
    QVERIFY(stats.refresh_history());
    QVERIFY(worker_read.refresh_history());
    QCOMPARE(stats.listening_days(today).last().normal, 150);
    QCOMPARE(worker_read.csv(ov_chart::listening_weeks, today), stats.csv(ov_chart::listening_weeks, today));
  }

  void experience_with_grade_ups() {
    fixture f;
    f.fill_history();
    ov_statistics stats(f.library.get(), f.history_db.get());
    QVERIFY(stats.refresh_history());
    // Awards give their absolute points; a loss for being passed over gives none.
    QCOMPARE(stats.csv(ov_chart::experience, today),
             QStringLiteral("day,experience,grade reached\n2026-03-01,3,\n2026-03-02,4,Iron\n2026-03-05,9,Copper\n"));
    QCOMPARE(stats.summary(ov_chart::experience, today),
             QStringLiteral("9 experience earned since 3/1/26; grade-ups: 2"));
  }

  void empty_states_data() {
    QTest::addColumn<bool>("with_tracks");
    QTest::addColumn<int>("chart");
    QTest::addColumn<QString>("hint_start");
    QTest::newRow("new library") << false << int(ov_chart::ranks) << QStringLiteral("The library is empty.");
    QTest::newRow("nothing scored") << false << int(ov_chart::top_tracks) << QStringLiteral("No track has scored");
    QTest::newRow("no listening") << true << int(ov_chart::listening_days)
                                  << QStringLiteral("No listening in the last 30 days.");
    QTest::newRow("no experience") << true << int(ov_chart::experience)
                                   << QStringLiteral("The favorite engine has not earned");
  }

  void empty_states() {
    QFETCH(bool, with_tracks);
    QFETCH(int, chart);
    QFETCH(QString, hint_start);
    fixture f(with_tracks);
    ov_statistics stats(f.library.get(), f.history_db.get());
    stats.refresh_history();
    QVERIFY(!stats.has_data(ov_chart(chart), today));
    QVERIFY(stats.hint(ov_chart(chart)).startsWith(hint_start));
    QCOMPARE(stats.summary(ov_chart(chart), today), QStringLiteral("No data yet."));
  }

  void no_history_file() {
    fixture f;
    ov_statistics stats(f.library.get(), nullptr);
    QVERIFY(!stats.refresh_history());
    QVERIFY(!stats.has_data(ov_chart::albums_by_time, today));
    QVERIFY(stats.has_data(ov_chart::ranks, today));
  }
};

QTEST_GUILESS_MAIN(test_statistics)
#include "test_statistics.moc"
