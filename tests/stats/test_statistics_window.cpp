#include "ov_stats_fixture.h"
#include "ovg_statistics_chart_view.h"
#include "ovg_statistics_window.h"

#include <QAbstractBarSeries>
#include <QChart>
#include <QImage>
#include <QSignalSpy>
#include <QtTest>

using namespace ov_stats_test;

class test_statistics_window : public QObject {
  Q_OBJECT

  // Clicks the bar of a rank at a height of count tracks.
  static void click_rank(ovg_statistics_window& window, int rank, double count) {
    QChart* chart = window.chart_view()->chart();
    QAbstractSeries* series = chart->series().first();
    const QPointF scene = chart->mapToPosition(QPointF(rank, count), series);
    const QPoint at = window.chart_view()->mapFromScene(scene);
    QTest::mouseClick(window.chart_view()->viewport(), Qt::LeftButton, {}, at);
  }

private slots:
  void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

  void click_on_rank_selects_its_tracks() {
    fixture f;
    ovg_statistics_window window(f.library.get(), f.history_db.get());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.showing_chart());
    QSignalSpy selected(&window, &ovg_statistics_window::esignal_select_tracks);
    click_rank(window, 0, 1);
    click_rank(window, 8, 1.5);  // above the bar, in its column
    click_rank(window, 2, 0.5);  // a rank without tracks
    QCOMPARE(selected.size(), 3);
    QCOMPARE(selected[0][0].value<QList<int>>(), (QList<int>{1, 2}));
    QCOMPARE(selected[1][0].value<QList<int>>(), (QList<int>{4}));
    QCOMPARE(selected[2][0].value<QList<int>>(), QList<int>());
  }

  void follows_score_changes() {
    fixture f;
    ovg_statistics_window window(f.library.get(), f.history_db.get());
    window.show();
    window.finish_history_read();
    QVERIFY(!window.update_now());  // nothing changed since it was built
    f.library->track_by_id(1)->add_score(20);
    window.eslot_library_changed();
    QVERIFY(window.update_now());
    QCOMPARE(window.summary_text(), QStringLiteral("6 tracks; 33 % in F+; 1 at SS"));
    // A new history row redraws a chart of the history.
    window.show_chart(ov_chart::artists_by_time);
    QVERIFY(!window.showing_chart());
    f.play(at(2026, 3, 31), 5, 120, 1);
    QVERIFY(window.update_now());
    QCOMPARE(window.summary_text(), QStringLiteral("Leader: Cid with 2 min listened"));
  }

  void empty_states_show_a_hint() {
    fixture f(false);
    ovg_statistics_window window(f.library.get(), nullptr);
    window.show();
    QVERIFY(!window.showing_chart());
    QVERIFY(window.hint_text().startsWith(QStringLiteral("The library is empty.")));
    window.show_chart(ov_chart::listening_weeks);
    QVERIFY(window.hint_text().startsWith(QStringLiteral("No listening in the last year.")));
    QVERIFY(!window.export_chart(QDir::temp().filePath(QStringLiteral("never.png"))));
  }

  void exports() {
    fixture f;
    ovg_statistics_window window(f.library.get(), f.history_db.get());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QString png = f.dir.filePath(QStringLiteral("ranks.png"));
    const QString svg = f.dir.filePath(QStringLiteral("ranks.svg"));
    const QString csv = f.dir.filePath(QStringLiteral("ranks.csv"));
    QVERIFY(window.export_chart(png));
    QVERIFY(window.export_chart(svg));
    QVERIFY(window.export_data(csv));
    QCOMPARE(QImage(png).size(), window.chart_view()->size() * window.devicePixelRatio());
    QFile svg_file(svg);
    QVERIFY(svg_file.open(QIODevice::ReadOnly));
    QVERIFY(svg_file.readAll().contains("<svg"));
    QFile csv_file(csv);
    QVERIFY(csv_file.open(QIODevice::ReadOnly));
    QVERIFY(csv_file.readAll().startsWith("rank,tracks\nF,2\n"));
  }
};

QTEST_MAIN(test_statistics_window)
#include "test_statistics_window.moc"
