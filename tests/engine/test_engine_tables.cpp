#include "ov_grade_table.h"
#include "ov_rank_table.h"

#include <QtTest>

class test_engine_tables : public QObject {
  Q_OBJECT

private slots:
  void rank_lookup_data();
  void rank_lookup();
  void ranks_cover_every_score_names_and_icons();
  void grade_rows_data();
  void grade_rows();
  void grade_lookup_and_icons();
};

void test_engine_tables::rank_lookup_data() {
  QTest::addColumn<int>("score");
  QTest::addColumn<int>("index");
  QTest::addColumn<QString>("name");
  QTest::addColumn<int>("clamped_index");
  QTest::newRow("zero") << 0 << 0 << "F" << 0;
  QTest::newRow("19 is F") << 19 << 0 << "F" << 0;
  QTest::newRow("20 is F+") << 20 << 1 << "F+" << 1;
  QTest::newRow("99 is E") << 99 << 2 << "E" << 2;
  QTest::newRow("100 is E+") << 100 << 3 << "E+" << 3;
  QTest::newRow("599 is D+") << 599 << 5 << "D+" << 5;
  QTest::newRow("600 is C") << 600 << 6 << "C" << 6;
  QTest::newRow("1499 is C+") << 1499 << 7 << "C+" << 7;
  QTest::newRow("2500 is B+") << 2500 << 9 << "B+" << 9;
  QTest::newRow("5999 is A") << 5999 << 10 << "A" << 10;
  QTest::newRow("9999 is A+") << 9999 << 11 << "A+" << 11;
  QTest::newRow("10000 is S") << 10000 << 12 << "S" << 12;
  QTest::newRow("499999 is S+") << 499999 << 13 << "S+" << 13;
  QTest::newRow("500000 is SS") << 500000 << 14 << "SS" << 14;
  QTest::newRow("top is SS") << 99999999 << 14 << "SS" << 14;
  QTest::newRow("negative has no rank") << -1 << 0 << "" << 0;
  QTest::newRow("past the top has no rank") << 100000000 << 0 << "" << 14;
}

void test_engine_tables::rank_lookup() {
  QFETCH(int, score);
  QFETCH(int, index);
  QFETCH(QString, name);
  QFETCH(int, clamped_index);
  const ov_rank_table& t = ov_rank_table::instance();
  QCOMPARE(t.rank_index(score), index);
  QCOMPARE(t.name_of(score), name);
  QCOMPARE(t.index_of(score), clamped_index);
  if (name.isEmpty()) {
    QVERIFY(t.image_of(score).isNull());
    QVERIFY(t.icon_of(score).isEmpty());
  }
}

void test_engine_tables::ranks_cover_every_score_names_and_icons() {
  const ov_rank_table& t = ov_rank_table::instance();
  QCOMPARE(t.count(), 15);
  QCOMPARE(t.lowest(0), 0);
  QCOMPARE(t.highest(14), 99999999);
  for (int i = 0; i < t.count(); ++i) {
    QCOMPARE(t.at(i)->index, i);
    QVERIFY(t.lowest(i) < t.highest(i));
    if (i > 0) QCOMPARE(t.lowest(i), t.highest(i - 1) + 1);
    QCOMPARE(t.index_of(t.lowest(i)), i);
    QCOMPARE(t.index_of(t.highest(i)), i);
  }
  for (int i = 0; i < t.count(); ++i) QCOMPARE(t.highest_score_of(t.name(i)), t.highest(i));
  QCOMPARE(t.highest_score_of("X"), 0);
  QCOMPARE(t.highest_score_of(""), 0);
  QCOMPARE(t.icon_path(0), QString(":/icons/rank-f.png"));
  QCOMPARE(t.icon_path(1), QString(":/icons/rank-fp.png"));
  QCOMPARE(t.icon_of(50000), QString(":/icons/rank-sp.png"));
  QCOMPARE(t.icon_of(700000), QString(":/icons/rank-ss.png"));
  QVERIFY(t.at(15) == nullptr);
  QVERIFY(t.at(-1) == nullptr);
  QVERIFY(t.name(15).isEmpty());
}

void test_engine_tables::grade_rows_data() {
  QTest::addColumn<int>("index");
  QTest::addColumn<QString>("name");
  QTest::addColumn<QList<int>>("values");  // exp, new, selected, button, through, through s, wait, slots, capacity
  QTest::newRow("Rusty") << 0 << "Rusty" << QList<int>{10, 1, 1, 1, 0, 60, 60, 1, 1};
  QTest::newRow("Iron") << 1 << "Iron" << QList<int>{90, 2, 2, 1, 1, 55, 50, 2, 2};
  QTest::newRow("Copper") << 2 << "Copper" << QList<int>{300, 4, 3, 2, 1, 50, 43, 3, 3};
  QTest::newRow("Lead") << 3 << "Lead" << QList<int>{1000, 6, 4, 3, 1, 45, 38, 5, 8};
  QTest::newRow("Zinc") << 4 << "Zinc" << QList<int>{2000, 8, 5, 3, 1, 40, 35, 6, 10};
  QTest::newRow("Mercury") << 5 << "Mercury" << QList<int>{5000, 12, 7, 4, 2, 50, 33, 9, 20};
  QTest::newRow("Silver") << 6 << "Silver" << QList<int>{10000, 15, 10, 4, 2, 45, 30, 11, 25};
  QTest::newRow("Gold") << 7 << "Gold" << QList<int>{50000, 20, 12, 5, 3, 40, 25, 17, 65};
  QTest::newRow("Lapis 8") << 8 << "Lapis Philosophorum" << QList<int>{300000, 40, 20, 10, 4, 40, 20, 20, 100};
  QTest::newRow("Lapis 9") << 9 << "Lapis Philosophorum" << QList<int>{99999999, 60, 30, 15, 5, 30, 10, 40, 500};
}

void test_engine_tables::grade_rows() {
  QFETCH(int, index);
  QFETCH(QString, name);
  QFETCH(QList<int>, values);
  const ov_grade_table::grade* g = ov_grade_table::instance().find(index);
  QVERIFY(g);
  QCOMPARE(g->index, index);
  QCOMPARE(g->name, name);
  const QList<int> actual{g->exp_requirement, g->play_new_gain,     g->selected_gain,
                          g->button_gain,     g->play_through_gain, g->play_through_seconds,
                          g->wait_seconds,    g->skill_slots,       g->skill_capacity};
  QCOMPARE(actual, values);
}

void test_engine_tables::grade_lookup_and_icons() {
  const ov_grade_table& t = ov_grade_table::instance();
  QCOMPARE(t.count(), 10);
  QVERIFY(t.find(10) == nullptr);
  QVERIFY(t.find(-1) == nullptr);
  QCOMPARE(t.find(0)->icon_path(), QString(":/icons/grade-0-rusty.png"));
  QCOMPARE(t.find(8)->icon_path(), QString(":/icons/grade-8-lapis-philosophorum.png"));
  QCOMPARE(t.find(9)->icon_path(), QString(":/icons/grade-9-lapis-philosophorum.png"));
  QCOMPARE(t.next(t.find(0)), t.find(1));
  QVERIFY(t.next(t.find(9)) == nullptr);
  QVERIFY(t.next(nullptr) == nullptr);
}

QTEST_GUILESS_MAIN(test_engine_tables)
#include "test_engine_tables.moc"
