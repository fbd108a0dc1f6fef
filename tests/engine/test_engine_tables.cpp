#include "ov_grade_table.h"
#include "ov_rank_table.h"
#include "ov_skill_set.h"
#include "ovd_skill.h"

#include <QtTest>

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

// The fixed tables: ranks, grades, and the skill catalogue with its skill sets.
class test_engine_tables : public QObject {
  Q_OBJECT

private slots:
  void rank_lookup_data();
  void rank_lookup();
  void rank_names_and_icons();
  void grade_rows_data();
  void grade_rows();
  void grade_lookup_and_icons();
  void catalogue_rows_data();
  void catalogue_rows();
  void skill_ids_are_positions();
  void available_in_order_key_order();
  void new_skills_per_grade_data();
  void new_skills_per_grade();
  void set_order_capacity_and_removal();
  void choosing_within_lead_limits();
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

void test_engine_tables::rank_names_and_icons() {
  const ov_rank_table& t = ov_rank_table::instance();
  // The bounds of every rank: rank_lookup.
  QCOMPARE(t.count(), 15);
  QCOMPARE(t.highest_score_of("D+"), 599);
  QCOMPARE(t.highest_score_of("SS"), 99999999);
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

void test_engine_tables::catalogue_rows_data() {
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

void test_engine_tables::catalogue_rows() {
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

void test_engine_tables::skill_ids_are_positions() {
  const ovd_skill& c = ovd_skill::instance();
  QCOMPARE(c.count(), 34);
  for (int i = 0; i < c.count(); ++i) QCOMPARE(c.all()[i].id, i);
  QVERIFY(c.find(34) == nullptr);
  QVERIFY(c.find(-1) == nullptr);
}

void test_engine_tables::available_in_order_key_order() {
  const ovd_skill& c = ovd_skill::instance();
  QVERIFY(c.available(0).isEmpty());
  QCOMPARE(c.available(9).size(), 34);
  // Equal keys keep construction order: Click Button Plus before II.
  QVERIFY(ids(c.available(9)).indexOf(4) < ids(c.available(9)).indexOf(14));
  QCOMPARE(ids(c.available(1)), (QList<int>{0, 1, 2, 3, 4}));
  QCOMPARE(ids(c.available(2)), ids(c.available(1)));
  QCOMPARE(ids(c.available(3)), (QList<int>{0, 1, 2, 3, 5, 6, 7, 8, 4}));
}

void test_engine_tables::new_skills_per_grade_data() {
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

void test_engine_tables::new_skills_per_grade() {
  QFETCH(int, grade);
  QFETCH(QList<int>, expected);
  QCOMPARE(ids(ovd_skill::instance().new_at(grade)), expected);
}

void test_engine_tables::set_order_capacity_and_removal() {
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

void test_engine_tables::choosing_within_lead_limits() {
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

QTEST_GUILESS_MAIN(test_engine_tables)
#include "test_engine_tables.moc"
