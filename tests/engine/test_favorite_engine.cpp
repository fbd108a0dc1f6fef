#include "ov_engine_test_db.h"
#include "ov_favorite_engine.h"
#include "ov_track.h"

#include <QSignalSpy>
#include <QtTest>

#include <climits>

using namespace ov_engine_test;

class test_favorite_engine : public QObject {
  Q_OBJECT

private slots:
  void gains_data();
  void gains();
  void not_selected_loss_data();
  void not_selected_loss();
  void limits_data();
  void limits();
  void skill_counts_data();
  void skill_counts();
  void spreads_data();
  void spreads();
  void multiplier_draws_data();
  void multiplier_draws();
  void multiplier_streak_resets_after_three();
  void multiplier_success_ends_waiting_time();
  void experience_is_capped_until_upgrade();
  void upgrade_resets_waiting_time();
  void like_clicks_share_capacity_until_the_countdown_ends();
  void elixir_changes_wait_length();
};

void test_favorite_engine::gains_data() {
  QTest::addColumn<int>("grade");
  QTest::addColumn<QList<int>>("skills");
  QTest::addColumn<int>("kind");
  QTest::addColumn<int>("expected");
  QTest::newRow("Rusty play new") << 0 << QList<int>{} << 1 << 1;
  QTest::newRow("Rusty selected") << 0 << QList<int>{} << 2 << 1;
  QTest::newRow("Rusty like") << 0 << QList<int>{} << 3 << 1;
  QTest::newRow("Rusty dislike") << 0 << QList<int>{} << 4 << -1;
  QTest::newRow("Rusty play through") << 0 << QList<int>{} << 5 << 0;
  QTest::newRow("unknown kind") << 0 << QList<int>{} << 6 << 0;
  QTest::newRow("Lead dislike comes to 0") << 3 << QList<int>{2, 5} << 4 << 0;
  QTest::newRow("Lead like with the same skills") << 3 << QList<int>{2, 5} << 3 << 6;
  QTest::newRow("grade 8 play new 85") << 8 << QList<int>{5, 9, 29, 17} << 1 << 85;
  QTest::newRow("grade 8 play new 89") << 8 << QList<int>{0, 5, 9, 29, 17} << 1 << 89;
  QTest::newRow("dislike boost truncates toward zero") << 3 << QList<int>{19} << 4 << -3;
  QTest::newRow("Gold selected boosted") << 7 << QList<int>{18} << 2 << 14;
  QTest::newRow("Gold selected plus and boost") << 7 << QList<int>{1, 5, 18} << 2 << 18;
  QTest::newRow("Gold play through plus and boost") << 7 << QList<int>{3, 20} << 5 << 4;
  QTest::newRow("booster of another kind ignored") << 7 << QList<int>{17} << 2 << 12;
  QTest::newRow("grade 9 all boost") << 9 << QList<int>{9} << 1 << 72;
  QTest::newRow("boost II alone") << 9 << QList<int>{29} << 3 << 19;
}

void test_favorite_engine::gains() {
  QFETCH(int, grade);
  QFETCH(QList<int>, skills);
  QFETCH(int, kind);
  QFETCH(int, expected);
  engine_at engine(grade, skills);
  QCOMPARE(engine->grade()->index, grade);
  QCOMPARE(engine->gain(kind), expected);
}

void test_favorite_engine::not_selected_loss_data() {
  QTest::addColumn<QList<int>>("skills");
  QTest::addColumn<int>("picked_score");
  QTest::addColumn<int>("other_score");
  QTest::addColumn<double>("expected");
  // Mercury: selected base 7.
  QTest::newRow("no Dynamic Rate") << QList<int>{} << 600 << 4000 << -7.0;
  QTest::newRow("C picks over A") << QList<int>{12} << 600 << 4000 << -7.0 * 1.6;
  QTest::newRow("C picks over A, boosted") << QList<int>{12, 23} << 600 << 4000 << -7.0 * 1.9;
  QTest::newRow("C picks over F") << QList<int>{12} << 600 << 0 << -7.0 * 0.625;
  QTest::newRow("C picks over F, boosted") << QList<int>{12, 23} << 600 << 0 << -7.0 / 1.9;
  QTest::newRow("same rank") << QList<int>{12} << 700 << 999 << -7.0;
  QTest::newRow("boost alone does nothing") << QList<int>{23} << 600 << 4000 << -7.0;
  QTest::newRow("SS over F") << QList<int>{12} << 99999999 << 0 << -7.0 / 2.4;
}

void test_favorite_engine::not_selected_loss() {
  QFETCH(QList<int>, skills);
  QFETCH(int, picked_score);
  QFETCH(int, other_score);
  QFETCH(double, expected);
  engine_at engine(5, skills);
  ov_track picked(1, 0, ov_tag_data());
  ov_track other(2, 0, ov_tag_data());
  picked.add_score(picked_score);
  other.add_score(other_score);
  QVERIFY(qFuzzyCompare(engine->not_selected_gain(&other, &picked), expected));
  QCOMPARE(engine->not_selected_gain(nullptr, &picked), 0.0);
  QCOMPARE(engine->not_selected_gain(&other, nullptr), 0.0);
}

void test_favorite_engine::limits_data() {
  QTest::addColumn<QList<int>>("skills");
  QTest::addColumn<int>("points");
  QTest::addColumn<bool>("no_reverse");
  QTest::addColumn<int>("expected");
  QTest::addColumn<double>("real");  // limit_real(points + 0.5): Reverse always applies
  QTest::newRow("below the limit") << QList<int>{} << 50 << false << 50 << 50.5;
  QTest::newRow("150 capped") << QList<int>{} << 150 << false << 100 << 100.0;
  QTest::newRow("-150 capped") << QList<int>{} << -150 << false << -100 << -100.0;
  QTest::newRow("Reverse") << QList<int>{27} << 150 << false << -100 << -100.0;
  QTest::newRow("Reverse on a loss") << QList<int>{27} << -30 << false << 30 << 29.5;
  QTest::newRow("Reverse skipped") << QList<int>{27} << 150 << true << 100 << -100.0;
  QTest::newRow("Limit Break") << QList<int>{16} << 500 << false << 300 << 300.0;
  QTest::newRow("Limit Break II") << QList<int>{28} << 5000 << false << 2000 << 2000.0;
  QTest::newRow("III wins over I") << QList<int>{16, 31} << 9000 << false << 5000 << 5000.0;
  QTest::newRow("Elixir wins over all") << QList<int>{16, 28, 31, 33} << 200000 << false << 99999 << 99999.0;
  QTest::newRow("Limit Break with Reverse") << QList<int>{16, 27} << 500 << false << -300 << -300.0;
  QTest::newRow("smallest int") << QList<int>{} << INT_MIN << true << -100 << -100.0;
  QTest::newRow("zero") << QList<int>{27} << 0 << false << 0 << -0.5;
}

void test_favorite_engine::limits() {
  QFETCH(QList<int>, skills);
  QFETCH(int, points);
  QFETCH(bool, no_reverse);
  QFETCH(int, expected);
  QFETCH(double, real);
  engine_at engine(9, skills);
  QCOMPARE(engine->limit(points, no_reverse), expected);
  QCOMPARE(engine->limit_real(points + 0.5), real);
}

void test_favorite_engine::skill_counts_data() {
  QTest::addColumn<QList<int>>("skills");
  QTest::addColumn<int>("clicks");
  QTest::addColumn<int>("nexts");
  QTest::addColumn<int>("gain_limit");
  QTest::newRow("none") << QList<int>{} << 2 << 4 << 100;
  QTest::newRow("Click Button Plus") << QList<int>{4} << 3 << 4 << 100;
  QTest::newRow("Click Button Plus II alone") << QList<int>{14} << 3 << 4 << 100;
  QTest::newRow("all click skills") << QList<int>{4, 14, 25} << 5 << 4 << 100;
  QTest::newRow("Expand Nexts") << QList<int>{8} << 2 << 5 << 100;
  QTest::newRow("Expand Nexts III") << QList<int>{26} << 2 << 6 << 100;
  QTest::newRow("all expand skills") << QList<int>{8, 15, 26} << 2 << 8 << 100;
  QTest::newRow("Limit Break II") << QList<int>{28} << 2 << 4 << 2000;
}

void test_favorite_engine::skill_counts() {
  QFETCH(QList<int>, skills);
  QFETCH(int, clicks);
  QFETCH(int, nexts);
  QFETCH(int, gain_limit);
  engine_at engine(9, skills);
  QCOMPARE(engine->click_capacity(), clicks);
  QCOMPARE(engine->clicks_left(), clicks);
  QCOMPARE(engine->nexts_size(), nexts);
  QCOMPARE(engine->gain_limit(), gain_limit);
}

void test_favorite_engine::spreads_data() {
  QTest::addColumn<QList<int>>("skills");
  QTest::addColumn<double>("album_rate");
  QTest::addColumn<int>("album_count");
  QTest::addColumn<double>("artist_rate");
  QTest::addColumn<int>("artist_count");
  QTest::newRow("none") << QList<int>{} << 0.0 << 0 << 0.0 << 0;
  QTest::newRow("album") << QList<int>{6} << 0.05 << 3 << 0.0 << 0;
  QTest::newRow("artist") << QList<int>{7} << 0.0 << 0 << 0.05 << 3;
  QTest::newRow("boosts without the base") << QList<int>{10, 11, 21, 22} << 0.0 << 0 << 0.0 << 0;
  QTest::newRow("boost I") << QList<int>{6, 7, 10, 11} << 0.07 << 4 << 0.07 << 4;
  QTest::newRow("boost II") << QList<int>{6, 7, 21, 22} << 0.1 << 5 << 0.1 << 5;
  QTest::newRow("II wins over I") << QList<int>{6, 10, 21, 7, 11} << 0.1 << 5 << 0.07 << 4;
}

void test_favorite_engine::spreads() {
  QFETCH(QList<int>, skills);
  QFETCH(double, album_rate);
  QFETCH(int, album_count);
  QFETCH(double, artist_rate);
  QFETCH(int, artist_count);
  engine_at engine(9, skills);
  QCOMPARE(engine->spread_rate_album(), album_rate);
  QCOMPARE(engine->spread_count_album(), album_count);
  QCOMPARE(engine->spread_rate_artist(), artist_rate);
  QCOMPARE(engine->spread_count_artist(), artist_count);
}

void test_favorite_engine::multiplier_draws_data() {
  QTest::addColumn<QList<int>>("skills");
  QTest::addColumn<int>("points");
  QTest::addColumn<QList<int>>("draws");
  QTest::addColumn<int>("multiplier");
  QTest::addColumn<int>("raw_calls");
  // 100 points at streak 0: chance trunc(10 x 45 + 100) = 550.
  QTest::newRow("all three succeed") << QList<int>{13, 24, 30} << 100 << QList<int>{550, 0, 123} << 9 << 6;
  QTest::newRow("draw above the chance") << QList<int>{13} << 100 << QList<int>{551} << 1 << 2;
  QTest::newRow("double and quadruple") << QList<int>{13, 24, 30} << 100 << QList<int>{10, 9000, 10} << 6 << 6;
  QTest::newRow("triple and quadruple") << QList<int>{13, 24, 30} << 100 << QList<int>{551, 1, 2} << 7 << 6;
  QTest::newRow("only selected skills draw") << QList<int>{24} << 100 << QList<int>{0} << 3 << 2;
  QTest::newRow("no multiplier skill, no draw") << QList<int>{} << 100 << QList<int>{} << 1 << 0;
  QTest::newRow("chance of one point") << QList<int>{13} << 1 << QList<int>{145} << 2 << 2;
  QTest::newRow("just past one point") << QList<int>{13} << 1 << QList<int>{146} << 1 << 2;
  QTest::newRow("chance capped at 5000") << QList<int>{13} << 99999 << QList<int>{5000} << 2 << 2;
  QTest::newRow("past the cap") << QList<int>{13} << 99999 << QList<int>{5001} << 1 << 2;
  QTest::newRow("negative points never succeed") << QList<int>{13} << -100 << QList<int>{0} << 1 << 2;
}

void test_favorite_engine::multiplier_draws() {
  QFETCH(QList<int>, skills);
  QFETCH(int, points);
  QFETCH(QList<int>, draws);
  QFETCH(int, multiplier);
  QFETCH(int, raw_calls);
  engine_at engine(9, skills);
  scripted_random source;
  source.queue_draws(draws);
  ov_random_scope scope(&source);
  engine->roll_multiplier(points);
  QCOMPARE(engine->score_multiplier(), multiplier);
  QCOMPARE(engine->multiplier_streak(), multiplier > 1 ? 1 : 0);
  QCOMPARE(source.calls, raw_calls);
}

void test_favorite_engine::multiplier_streak_resets_after_three() {
  engine_at engine(5, {13});
  scripted_random source;
  ov_random_scope scope(&source);
  // Chances 550, 1050, 1550: each draw sits exactly on the chance.
  source.queue_draws({550, 1050, 1550});
  for (int i = 1; i <= 3; ++i) {
    engine->roll_multiplier(100);
    QCOMPARE(engine->multiplier_streak(), i);
    QCOMPARE(engine->score_multiplier(), 2);
  }
  const int calls = source.calls;
  engine->roll_multiplier(100);
  QCOMPARE(engine->score_multiplier(), 1);
  QCOMPARE(engine->multiplier_streak(), 0);
  QCOMPARE(source.calls, calls);  // no draw on the fourth roll

  // A streak of one followed by a failure starts again from 0.
  source.queue_draws({550, 1051});
  engine->roll_multiplier(100);
  QCOMPARE(engine->multiplier_streak(), 1);
  engine->roll_multiplier(100);
  QCOMPARE(engine->multiplier_streak(), 0);
  QCOMPARE(engine->score_multiplier(), 1);
}

void test_favorite_engine::multiplier_success_ends_waiting_time() {
  engine_at engine(5, {13});
  scripted_random source;
  ov_random_scope scope(&source);
  engine->use_kind(ov_favorite_engine::play_new);
  engine->islot_update_time_left();
  QVERIFY(engine->is_waiting(ov_favorite_engine::play_new));
  QVERIFY(engine->is_counting_down());
  QCOMPARE(engine->time_left(), 32);

  source.queue_draws({10001 - 1});  // fails
  engine->roll_multiplier(100);
  QVERIFY(engine->is_waiting(ov_favorite_engine::play_new));

  QSignalSpy buttons(engine.engine.get(), &ov_favorite_engine::esignal_enabled_like_buttons);
  source.queue_draws({0});
  engine->roll_multiplier(100);
  QCOMPARE(engine->score_multiplier(), 2);
  QVERIFY(!engine->is_waiting(ov_favorite_engine::play_new));
  QVERIFY(!engine->is_counting_down());
  QCOMPARE(engine->time_left(), 33);
  QCOMPARE(buttons.count(), 1);
  QCOMPARE(buttons.at(0).at(0).toBool(), true);
}

void test_favorite_engine::experience_is_capped_until_upgrade() {
  engine_at engine(0, {});
  QSignalSpy status(engine.engine.get(), &ov_favorite_engine::esignal_status_changed);
  QSignalSpy upgraded(engine.engine.get(), &ov_favorite_engine::esignal_upgraded);
  engine->add_experience(0);
  QCOMPARE(status.count(), 0);
  engine->add_experience(-4);  // the size counts
  QCOMPARE(engine->experience(), 4);
  QVERIFY(!engine->can_upgrade());
  engine->add_experience(15);
  QCOMPARE(engine->experience(), 10);
  QVERIFY(engine->can_upgrade());
  engine->add_experience(INT_MIN);
  QCOMPARE(engine->experience(), 10);
  QCOMPARE(engine.file.stored_plain().value(1), QString("10"));

  // The signal order of an upgrade: upgraded, then status changed.
  QList<QString> order;
  connect(engine.engine.get(), &ov_favorite_engine::esignal_upgraded, this, [&] { order << "upgraded"; });
  connect(engine.engine.get(), &ov_favorite_engine::esignal_status_changed, this, [&] { order << "status"; });
  engine->upgrade();
  QCOMPARE(order, (QList<QString>{"upgraded", "status"}));
  QCOMPARE(upgraded.count(), 1);
  QCOMPARE(engine->grade()->name, QString("Iron"));
  QCOMPARE(engine->experience(), 0);
  QCOMPARE(engine->grade()->exp_requirement, 90);
  QVERIFY(!engine->can_upgrade());
  QCOMPARE(engine.file.stored_plain(), (QStringList{"1", "0", ""}));

  engine->upgrade();  // not allowed: nothing happens
  QCOMPARE(engine->grade()->index, 1);
  QCOMPARE(upgraded.count(), 1);

  // The last grade never upgrades, whatever its experience; the one before can.
  engine_at last(9, {}, 99999999);
  QCOMPARE(last->experience(), 99999999);
  QVERIFY(!last->can_upgrade());
  last->upgrade();
  QCOMPARE(last->grade()->index, 9);
  QVERIFY(engine_at(7, {}, 50000)->can_upgrade());
}

void test_favorite_engine::upgrade_resets_waiting_time() {
  engine_at engine(0, {4}, 10);
  engine->use_kind(ov_favorite_engine::play_new);
  engine->use_kind(ov_favorite_engine::like);
  engine->islot_update_time_left();
  QCOMPARE(engine->time_left(), 59);
  QCOMPARE(engine->clicks_left(), 2);
  engine->upgrade();
  QVERIFY(!engine->is_waiting(ov_favorite_engine::play_new));
  QVERIFY(!engine->is_counting_down());
  QCOMPARE(engine->time_left(), 50);
  QCOMPARE(engine->play_through_seconds(), 55);
  QCOMPARE(engine->clicks_left(), 3);
  // The skill set and its capacity stay as they were.
  QCOMPARE(ids_of(engine->skills()), QList<int>{4});
  QCOMPARE(engine->skills().capacity(), 1);
}

void test_favorite_engine::like_clicks_share_capacity_until_the_countdown_ends() {
  engine_at engine(0, {});
  QSignalSpy buttons(engine.engine.get(), &ov_favorite_engine::esignal_enabled_like_buttons);
  QVERIFY(!engine->is_counting_down());
  QCOMPARE(engine->time_left(), 60);

  engine->use_kind(ov_favorite_engine::like);
  QVERIFY(!engine->is_waiting(ov_favorite_engine::like));
  QVERIFY(!engine->is_waiting(ov_favorite_engine::dislike));
  QVERIFY(engine->is_counting_down());
  QCOMPARE(engine->clicks_left(), 1);
  QCOMPARE(buttons.count(), 0);

  engine->use_kind(ov_favorite_engine::dislike);
  QVERIFY(engine->is_waiting(ov_favorite_engine::like));
  QVERIFY(engine->is_waiting(ov_favorite_engine::dislike));
  QVERIFY(!engine->is_waiting(ov_favorite_engine::play_new));
  QCOMPARE(buttons.count(), 1);
  QCOMPARE(buttons.at(0).at(0).toBool(), false);

  engine->use_kind(ov_favorite_engine::play_new);
  for (int i = 0; i < 59; ++i) engine->islot_update_time_left();
  QCOMPARE(engine->time_left(), 1);
  QVERIFY(engine->is_waiting(ov_favorite_engine::play_new));
  QVERIFY(engine->is_waiting(ov_favorite_engine::like));
  QCOMPARE(buttons.count(), 1);
  // The last second releases every kind and both clicks.
  engine->islot_update_time_left();
  QCOMPARE(engine->time_left(), 60);
  QVERIFY(!engine->is_waiting(ov_favorite_engine::play_new));
  QVERIFY(!engine->is_waiting(ov_favorite_engine::dislike));
  QVERIFY(!engine->is_counting_down());
  QCOMPARE(engine->clicks_left(), 2);
  QCOMPARE(buttons.count(), 2);
  QCOMPARE(buttons.at(1).at(0).toBool(), true);

  // Play through never waits and never starts the countdown.
  engine_at other(0, {});
  other->use_kind(ov_favorite_engine::play_through);
  QVERIFY(!other->is_waiting(ov_favorite_engine::play_through));
  QVERIFY(!other->is_counting_down());
  other->use_kind(ov_favorite_engine::selected);
  QVERIFY(other->is_waiting(ov_favorite_engine::selected));
  QVERIFY(!other->is_waiting(ov_favorite_engine::play_new));
  QVERIFY(other->is_counting_down());
}

void test_favorite_engine::elixir_changes_wait_length() {
  engine_at engine(9, {});
  QCOMPARE(engine->wait_seconds(), 10);
  engine->use_kind(ov_favorite_engine::play_new);
  QSignalSpy pref(engine.engine.get(), &ov_favorite_engine::esignal_pref_changed);

  engine->set_skills(skill_set({32}, 500));
  QCOMPARE(pref.count(), 1);
  QCOMPARE(engine->wait_seconds(), 3);
  QCOMPARE(engine->time_left(), 3);
  QVERIFY(!engine->is_waiting(ov_favorite_engine::play_new));
  QVERIFY(!engine->is_counting_down());
  QCOMPARE(engine.file.stored_plain().value(2), QString("32"));

  // Elixir (T) in both sets: the running waiting time is left alone.
  engine->use_kind(ov_favorite_engine::play_new);
  engine->set_skills(skill_set({0, 32}, 500));
  QCOMPARE(pref.count(), 1);
  QVERIFY(engine->is_waiting(ov_favorite_engine::play_new));
  QCOMPARE(engine.file.stored_plain().value(2), QString("0 32"));

  engine->set_skills(skill_set({}, 500));
  QCOMPARE(pref.count(), 2);
  QCOMPARE(engine->time_left(), 10);
  QCOMPARE(engine.file.stored_plain().value(2), QString(""));
}

QTEST_GUILESS_MAIN(test_favorite_engine)
#include "test_favorite_engine.moc"
