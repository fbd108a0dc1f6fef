#include "ov_engine_test_db.h"
#include "ov_favorite_engine.h"
#include "ov_grade_table.h"
#include "ov_rank_table.h"
#include "ov_skill_set.h"
#include "ov_track.h"
#include "ovd_skill.h"

#include <QSignalSpy>
#include <QtTest>

#include <climits>
#include <memory>

using namespace ov_engine_test;

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

class test_favorite_engine : public QObject {
  Q_OBJECT

private slots:
  void gains_data() {
    QTest::addColumn<int>("grade");
    QTest::addColumn<QList<int>>("skills");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("expected");
    // The grades' base gains themselves: grade_rows.
    QTest::newRow("Rusty play new") << 0 << QList<int>{} << 1 << 1;
    QTest::newRow("Rusty dislike") << 0 << QList<int>{} << 4 << -1;
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
  void gains() {
    QFETCH(int, grade);
    QFETCH(QList<int>, skills);
    QFETCH(int, kind);
    QFETCH(int, expected);
    engine_at engine(grade, skills);
    QCOMPARE(engine->grade()->index, grade);
    QCOMPARE(engine->gain(kind), expected);
  }
  void not_selected_loss_data() {
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
  void not_selected_loss() {
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
  void limits_data() {
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
  void limits() {
    QFETCH(QList<int>, skills);
    QFETCH(int, points);
    QFETCH(bool, no_reverse);
    QFETCH(int, expected);
    QFETCH(double, real);
    engine_at engine(9, skills);
    QCOMPARE(engine->limit(points, no_reverse), expected);
    QCOMPARE(engine->limit_real(points + 0.5), real);
  }
  void skill_counts_data() {
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
  void skill_counts() {
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
  void spreads_data() {
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
  void spreads() {
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
  void multiplier_draws_data() {
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
  void multiplier_draws() {
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
  void multiplier_streak_resets_after_three() {
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
  void multiplier_success_ends_waiting_time() {
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
  void experience_is_capped_until_upgrade() {
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
  void upgrade_resets_waiting_time() {
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
  void like_clicks_share_capacity_until_the_countdown_ends() {
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
  void elixir_changes_wait_length() {
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

  void empty_file_gives_defaults_and_stores_them() {
    engine_db f;
    QVERIFY(f.db->is_ok());
    QCOMPARE(f.row_count(), 0);
    {
      ov_favorite_engine engine(f.db.get(), seed);
      QCOMPARE(
          engine.pending_messages(),
          QStringList("Favorite Engine failed to load its data from DB file.  It loaded default data.  Please check "
                      "db file and consider to replace it from backup dir if you did not expect this situation."));
      QVERIFY(engine.load_ok());
      QCOMPARE(engine.grade()->index, 0);
      QCOMPARE(engine.experience(), 0);
      QCOMPARE(engine.skills().count(), 0);
      QCOMPARE(engine.skills().capacity(), 1);
      QCOMPARE(engine.score_multiplier(), 1);
      QCOMPARE(engine.time_left(), 60);
    }
    QCOMPARE(f.row_count(), 1);
    QCOMPARE(f.stored_plain(), (QStringList{"0", "0", ""}));
    ov_favorite_engine again(f.db.get(), seed);
    QVERIFY(again.pending_messages().isEmpty());
  }
  void round_trip_through_the_file() {
    engine_db f;
    {
      ov_favorite_engine engine(f.db.get(), seed);
      engine.add_experience(10);
      engine.upgrade();
      engine.add_experience(37);
      engine.set_skills(skill_set({14, 4, 0}, 2));
    }
    f.reopen();  // a fresh connection reads what was written to the file
    ov_favorite_engine engine(f.db.get(), seed);
    QVERIFY(engine.pending_messages().isEmpty());
    QCOMPARE(engine.grade()->index, 1);
    QCOMPARE(engine.experience(), 37);
    QCOMPARE(ids_of(engine.skills()), (QList<int>{0, 14, 4}));
    // Loading gives the set the grade's capacity (Iron: 2), whatever was chosen.
    QCOMPARE(engine.skills().capacity(), 2);
    QCOMPARE(engine.click_capacity(), 4);
    QCOMPARE(f.row_count(), 1);
  }
  void stored_texts_read_back_with_seed_and_key_word() {
    engine_db f;
    QVERIFY(f.write_plain("3", "250", "5 8"));
    {
      ov_favorite_engine engine(f.db.get(), seed);
      engine.add_experience(1);
    }
    // The stored layout itself: test_field_codec.
    const QStringList stored = f.stored();
    QCOMPARE(stored.size(), 3);
    const QString word = ov_favorite_record::key_word();
    QCOMPARE(decode_field(seed, stored[0], word), QString("3"));
    QCOMPARE(decode_field(seed, stored[1], word), QString("251"));
    QCOMPARE(decode_field(seed, stored[2], word), QString("5 8"));
  }
  void unusable_records_data() {
    QTest::addColumn<QStringList>("stored");  // enciphered texts, or plain texts prefixed "plain:"
    const QString w = ov_favorite_record::key_word();
    const QString good1 = encode_field(seed, "4", w), good2 = encode_field(seed, "20", w);
    QString tampered = good1;
    tampered[40] = tampered[40] == QLatin1Char('a') ? QLatin1Char('b') : QLatin1Char('a');
    QTest::newRow("one digit changed") << QStringList{tampered, good2, encode_field(seed, "", w)};
    QTest::newRow("another seed") << QStringList{encode_field("x" + seed.mid(1), "4", w), good2, QString()};
    QTest::newRow("another key word") << QStringList{encode_field(seed, "4", "wrongkeyword"), good2, QString()};
    QTest::newRow("plain text stored") << QStringList{"4", "20", ""};
    QTest::newRow("empty columns") << QStringList{"", "", ""};
    QTest::newRow("grade index 10") << QStringList{encode_field(seed, "10", w), good2, QString()};
    QTest::newRow("grade index negative") << QStringList{encode_field(seed, "-1", w), good2, QString()};
    QTest::newRow("grade not a number") << QStringList{encode_field(seed, "Lead", w), good2, QString()};
    QTest::newRow("experience not a number") << QStringList{good1, encode_field(seed, "12x", w), QString()};
    QTest::newRow("experience empty") << QStringList{good1, encode_field(seed, "", w), QString()};
  }
  void unusable_records() {
    QFETCH(QStringList, stored);
    engine_db f;
    QVERIFY(f.write_stored(stored[0], stored[1], stored[2]));
    ov_favorite_engine engine(f.db.get(), seed);
    QCOMPARE(engine.pending_messages().size(), 1);
    QCOMPARE(engine.grade()->index, 0);
    QCOMPARE(engine.experience(), 0);
    QCOMPARE(engine.skills().count(), 0);
    // The unreadable row is replaced by the defaults at once.
    QCOMPARE(f.row_count(), 1);
    QCOMPARE(f.stored_plain(), (QStringList{"0", "0", ""}));
  }
  void loaded_values_data() {
    QTest::addColumn<QString>("grade");
    QTest::addColumn<QString>("experience");
    QTest::addColumn<QString>("skills");
    QTest::addColumn<int>("expected_experience");
    QTest::addColumn<QList<int>>("expected_skills");
    const struct {
      const char *name, *grade, *experience, *skills;
      int expected_experience;
      QList<int> expected_skills;
    } rows[] = {{"no skills", "5", "100", "", 100, {}},
                {"one blank", "5", "100", "12 9 13", 100, {9, 12, 13}},
                {"two blanks", "5", "100", "9  12", 100, {9, 12}},
                {"only a word", "5", "100", "skills", 100, {}},
                {"unknown ids dropped", "5", "100", "4 99 x -1 0", 100, {0, 4}},
                {"above the grade ignored", "0", "3", "33 32", 3, {32, 33}},
                {"experience over the requirement", "0", "500", "", 10, {}},
                {"negative experience", "2", "-5", "", 0, {}},
                {"last grade at the cap", "9", "99999999", "", 99999999, {}}};
    for (const auto& r : rows)
      QTest::newRow(r.name) << QString(r.grade) << QString(r.experience) << QString(r.skills) << r.expected_experience
                            << r.expected_skills;
  }
  void loaded_values() {
    QFETCH(QString, grade);
    QFETCH(QString, experience);
    QFETCH(QString, skills);
    QFETCH(int, expected_experience);
    QFETCH(QList<int>, expected_skills);
    engine_db f;
    QVERIFY(f.write_plain(grade, experience, skills));
    ov_favorite_engine engine(f.db.get(), seed);
    QVERIFY(engine.pending_messages().isEmpty());
    QVERIFY(engine.load_ok());
    QCOMPARE(engine.grade()->index, grade.toInt());
    QCOMPARE(engine.experience(), expected_experience);
    QCOMPARE(ids_of(engine.skills()), expected_skills);
    QCOMPARE(engine.skills().capacity(), engine.grade()->skill_capacity);
    // Loading alone does not rewrite the row.
    QCOMPARE(decode_field(seed, f.stored()[1], ov_favorite_record::key_word()), experience);
  }
  void handle_that_is_not_open() {
    QTemporaryDir dir;
    // A directory where the file should be: the handle is not usable.
    QVERIFY(QDir(dir.path()).mkdir("favorite_engine.db"));
    ov_database db(dir.filePath("favorite_engine.db"), ov_creation_statements("favorite_engine"), "favorite_engine");
    QVERIFY(!db.is_ok());
    ov_favorite_engine engine(&db, seed);
    QCOMPARE(engine.pending_messages().size(), 1);
    QCOMPARE(engine.grade()->index, 0);
    engine.add_experience(3);  // saving does nothing and does not fail loudly
    QCOMPARE(engine.experience(), 3);

    ov_favorite_engine without(nullptr, seed);
    QCOMPARE(without.pending_messages().size(), 1);
    without.set_skills(skill_set({0}));
    QCOMPARE(without.gain(ov_favorite_engine::play_new), 3);
  }

  // The fixed tables: ranks, grades, and the skill catalogue with its skill sets.
  void rank_lookup_data() {
    QTest::addColumn<int>("score");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("clamped_index");
    QTest::newRow("zero") << 0 << 0 << "F" << 0;
    QTest::newRow("19 is F") << 19 << 0 << "F" << 0;
    QTest::newRow("20 is F+") << 20 << 1 << "F+" << 1;
    QTest::newRow("99 is E") << 99 << 2 << "E" << 2;
    QTest::newRow("100 is E+") << 100 << 3 << "E+" << 3;
    QTest::newRow("600 is C") << 600 << 6 << "C" << 6;
    QTest::newRow("10000 is S") << 10000 << 12 << "S" << 12;
    QTest::newRow("499999 is S+") << 499999 << 13 << "S+" << 13;
    QTest::newRow("500000 is SS") << 500000 << 14 << "SS" << 14;
    QTest::newRow("top is SS") << 99999999 << 14 << "SS" << 14;
    QTest::newRow("negative has no rank") << -1 << 0 << "" << 0;
    QTest::newRow("past the top has no rank") << 100000000 << 0 << "" << 14;
  }
  void rank_lookup() {
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
  void rank_names_and_icons() {
    const ov_rank_table& t = ov_rank_table::instance();
    // Rank bounds: rank_lookup.
    QCOMPARE(t.count(), 15);
    QCOMPARE(t.highest_score_of("D+"), 599);
    QCOMPARE(t.highest_score_of("SS"), 99999999);
    QCOMPARE(t.highest_score_of("X"), 0);
    QCOMPARE(t.highest_score_of(""), 0);
    QCOMPARE(t.icon_path(0), QString(":/icons/rank-f.png"));
    QCOMPARE(t.icon_path(1), QString(":/icons/rank-fp.png"));
    QCOMPARE(t.icon_of(50000), QString(":/icons/rank-sp.png"));
    QCOMPARE(t.icon_of(700000), QString(":/icons/rank-ss.png"));
  }
  void grade_rows_data() {
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
  void grade_rows() {
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
  void grade_lookup_and_icons() {
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
  void catalogue_rows_data() {
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
  void catalogue_rows() {
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
  void available_in_order_key_order() {
    const ovd_skill& c = ovd_skill::instance();
    QVERIFY(c.available(0).isEmpty());
    QCOMPARE(c.available(9).size(), 34);
    // Equal keys keep construction order: Click Button Plus before II.
    QVERIFY(ids(c.available(9)).indexOf(4) < ids(c.available(9)).indexOf(14));
    QCOMPARE(ids(c.available(1)), (QList<int>{0, 1, 2, 3, 4}));
    QCOMPARE(ids(c.available(2)), ids(c.available(1)));
    QCOMPARE(ids(c.available(3)), (QList<int>{0, 1, 2, 3, 5, 6, 7, 8, 4}));
  }
  void new_skills_per_grade() {
    // In order-key order; grades 0, 2, 4 and 6 bring none.
    const QList<int> expected[] = {{},           {0, 1, 2, 3, 4},
                                   {},           {5, 6, 7, 8},
                                   {},           {9, 10, 11, 15, 14, 12, 13, 16},
                                   {},           {17, 18, 19, 20, 21, 22, 26, 25, 23, 27, 24, 28},
                                   {29, 30, 31}, {32, 33}};
    for (int grade = 0; grade < 10; ++grade) QCOMPARE(ids(ovd_skill::instance().new_at(grade)), expected[grade]);
  }
  void set_order_capacity_and_removal() {
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
  void choosing_within_lead_limits() {
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
};

QTEST_GUILESS_MAIN(test_favorite_engine)
#include "test_favorite_engine.moc"
