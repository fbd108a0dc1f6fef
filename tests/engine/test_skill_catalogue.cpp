#include "ov_grade_table.h"
#include "ov_skill_set.h"
#include "ovd_skill.h"

#include <QtTest>

Q_DECLARE_METATYPE(QList<int>)

namespace {
QList<int> ids(const QList<const ovd_skill::skill*>& list) {
  QList<int> out;
  for (const ovd_skill::skill* s : list) out << s->id;
  return out;
}
const ovd_skill::skill* skill(int id) {
  return ovd_skill::instance().find(id);
}
}  // namespace

class test_skill_catalogue : public QObject {
  Q_OBJECT

private slots:
  void catalogue_rows_data();
  void catalogue_rows();
  void ids_are_positions();
  void available_in_order_key_order();
  void new_skills_per_grade_data();
  void new_skills_per_grade();
  void set_order_capacity_and_removal();
  void choosing_within_lead_limits();
};

void test_skill_catalogue::catalogue_rows_data() {
  QTest::addColumn<int>("id");
  QTest::addColumn<QString>("name");
  QTest::addColumn<int>("grade");
  QTest::addColumn<int>("cost");
  QTest::addColumn<int>("order_key");
  QTest::addColumn<double>("effect");
  QTest::addColumn<QString>("description");
  // One row per shape of description text: plain, percent, arrow, quotes, bare number.
  QTest::newRow("0") << 0 << "Score Plus (Play Newly)" << 1 << 1 << 200 << 2.0
                     << "Score is increased by 2 (on Play New).";
  QTest::newRow("6") << 6 << "Distribute Score (Album)" << 3 << 4 << 300 << 0.05
                     << "Add score to 3 tracks randomly which belongs to same Album (5% of score).";
  QTest::newRow("12") << 12 << "Dynamic Rate" << 5 << 8 << 500 << 0.0
                      << "Change score rate on select Nexts by their ranks. Track get higher score if it was "
                         "selected than higher ranked one. Vice versa.";
  QTest::newRow("16") << 16 << "Limit Break" << 5 << 5 << 800 << 300.0
                      << "It breaks limitation on gaining score (max 100 -> 300).";
  QTest::newRow("23") << 23 << "Dynamic Rate Boost" << 7 << 15 << 501 << 1.5
                      << "Effect of \"Rate Revolution\" is increased by 50%.";
  QTest::newRow("30") << 30 << "Quadruple Score" << 8 << 40 << 702 << 4.0
                      << "It makes score quadrupled for next gaining. (it can be duplicated with \"Double\", "
                         "\"Triple\")";
  QTest::newRow("32") << 32 << "Elixir (T)" << 9 << 100 << 902 << 3.0 << "It makes wait time to 3.";
}

void test_skill_catalogue::catalogue_rows() {
  QFETCH(int, id);
  QFETCH(QString, name);
  QFETCH(int, grade);
  QFETCH(int, cost);
  QFETCH(int, order_key);
  QFETCH(double, effect);
  QFETCH(QString, description);
  const ovd_skill::skill* s = skill(id);
  QVERIFY(s);
  QCOMPARE(s->name, name);
  QCOMPARE(s->grade, grade);
  QCOMPARE(s->cost, cost);
  QCOMPARE(s->order_key, order_key);
  QCOMPARE(s->effect, effect);
  QCOMPARE(s->description(), description);  // no translator installed
}

void test_skill_catalogue::ids_are_positions() {
  const ovd_skill& c = ovd_skill::instance();
  QCOMPARE(c.count(), 34);
  for (int i = 0; i < c.count(); ++i) QCOMPARE(c.all()[i].id, i);
  QVERIFY(c.find(34) == nullptr);
  QVERIFY(c.find(-1) == nullptr);
}

void test_skill_catalogue::available_in_order_key_order() {
  const ovd_skill& c = ovd_skill::instance();
  QVERIFY(c.available(0).isEmpty());
  const auto all = c.available(9);
  QCOMPARE(all.size(), 34);
  QCOMPARE(all.first()->name, QString("Score Plus (Play Newly)"));
  QCOMPARE(all.last()->name, QString("Elixir (S)"));
  for (int i = 1; i < all.size(); ++i) QVERIFY(all[i - 1]->order_key <= all[i]->order_key);
  // Equal keys keep construction order: Click Button Plus before II.
  QVERIFY(ids(all).indexOf(4) < ids(all).indexOf(14));
  QCOMPARE(ids(c.available(1)), (QList<int>{0, 1, 2, 3, 4}));
  QCOMPARE(ids(c.available(2)), ids(c.available(1)));
  QCOMPARE(ids(c.available(3)), (QList<int>{0, 1, 2, 3, 5, 6, 7, 8, 4}));
}

void test_skill_catalogue::new_skills_per_grade_data() {
  QTest::addColumn<int>("grade");
  QTest::addColumn<QList<int>>("expected");  // in order-key order
  QTest::newRow("0") << 0 << QList<int>{};
  QTest::newRow("1") << 1 << QList<int>{0, 1, 2, 3, 4};
  QTest::newRow("2") << 2 << QList<int>{};
  QTest::newRow("3") << 3 << QList<int>{5, 6, 7, 8};
  QTest::newRow("4") << 4 << QList<int>{};
  QTest::newRow("5") << 5 << QList<int>{9, 10, 11, 15, 14, 12, 13, 16};
  QTest::newRow("6") << 6 << QList<int>{};
  QTest::newRow("7") << 7 << QList<int>{17, 18, 19, 20, 21, 22, 26, 25, 23, 27, 24, 28};
  QTest::newRow("8") << 8 << QList<int>{29, 30, 31};
  QTest::newRow("9") << 9 << QList<int>{32, 33};
}

void test_skill_catalogue::new_skills_per_grade() {
  QFETCH(int, grade);
  QFETCH(QList<int>, expected);
  QCOMPARE(ids(ovd_skill::instance().new_at(grade)), expected);
}

void test_skill_catalogue::set_order_capacity_and_removal() {
  // Equal keys keep the order they were added in; lower keys go first.
  ov_skill_set a(5, {skill(14), skill(4)});
  QCOMPARE(a.ids_text(), QString("14 4"));
  ov_skill_set b(5);
  for (int id : {4, 14, 0}) b.add(skill(id));
  b.add(nullptr);
  QCOMPARE(b.ids_text(), QString("0 4 14"));
  QCOMPARE(ov_skill_set().ids_text(), QString());
  // The capacity grows to what was given; removal takes one copy.
  QCOMPARE(ov_skill_set(1, {skill(0), skill(1), skill(2)}).capacity(), 3);
  ov_skill_set set(10, {skill(5), skill(0), skill(5)});
  QCOMPARE(set.capacity(), 10);
  QCOMPARE(set.ids_text(), QString("0 5 5"));
  QCOMPARE(set.total_cost(), 7);
  set.remove(skill(5));
  set.remove(skill(33));
  QCOMPARE(set.ids_text(), QString("0 5"));
  QVERIFY(set.contains(skill(5)));
  QVERIFY(!set.contains(skill(33)));
  QCOMPARE(set.effect(0), 2.0);
  QCOMPARE(set.effect(33), 0.0);
}

void test_skill_catalogue::choosing_within_lead_limits() {
  const ov_grade_table::grade* lead = ov_grade_table::instance().find(3);
  ov_skill_set set(lead->skill_capacity);
  for (int id : {5, 8, 4}) {
    QVERIFY(set.can_choose(skill(id), lead->skill_slots, lead->skill_capacity));
    set.add(skill(id));
  }
  QCOMPARE(set.total_cost(), 8);
  int enabled = 0;
  for (const ovd_skill::skill* s : ovd_skill::instance().available(lead->index)) {
    const bool chosen = set.contains(s);
    QCOMPARE(set.can_choose(s, lead->skill_slots, lead->skill_capacity), chosen);
    enabled += chosen ? 1 : 0;
  }
  QCOMPARE(enabled, 3);
  // A slot is needed as well as capacity.
  ov_skill_set one(1);
  one.add(skill(0));
  QVERIFY(!one.can_choose(skill(1), 1, 10));
}

QTEST_GUILESS_MAIN(test_skill_catalogue)
#include "test_skill_catalogue.moc"
