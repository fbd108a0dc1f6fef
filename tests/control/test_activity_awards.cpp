// The award arithmetic on a real engine (a fresh favorite_engine.db, grade
// Rusty: play new 1, selected 1, like 1, dislike -1, play through 0, limit
// 100) with plain track records and no play lines.
#include "ov_activity_awards.h"
#include "ov_database.h"
#include "ov_random.h"
#include "ov_schema.h"
#include "ov_track.h"
#include "ov_track_group.h"
#include "ovd_skill.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using E = ov_favorite_engine;

class test_activity_awards : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;
  std::unique_ptr<ov_database> db_;
  std::unique_ptr<E> engine_;
  ov_random_fixed random_{7};
  ov_random_scope scope_{&random_};

  static ov_track make_track(int id, int score) {
    ov_track t(id, 0, ov_tag_data());
    t.add_score(score);
    return t;
  }

private slots:
  void init() {
    db_.reset();
    QFile::remove(dir_.filePath(QStringLiteral("favorite_engine.db")));
    db_ = ov_open_database(dir_.path(), QStringLiteral("favorite_engine"));
    engine_ = std::make_unique<E>(db_.get(), QStringLiteral("seed"));
  }
  void cleanup() { engine_.reset(); }

  // Each kind once on a fresh engine: the count, the score, the experience.
  void each_kind() {
    const struct {
      E::kind kind;
      bool from_row;
      int score_before, points, score_after, experience;
    } cases[] = {
        {E::play_new, true, 0, 1, 1, 1},  {E::play_new, false, 0, 0, 0, 0},    {E::like, true, 0, 1, 1, 1},
        {E::dislike, true, 10, -1, 9, 1}, {E::play_through, true, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
      init();
      ov_track t = make_track(1, c.score_before);
      ov_activity_awards awards(nullptr, engine_.get());
      QCOMPARE(awards.award(&t, c.kind, c.from_row), c.points);
      QCOMPARE(t.score(), c.score_after);
      QCOMPARE(engine_->experience(), c.experience);
      const int counts[] = {t.count_n(), t.count_s(), t.count_l(), t.count_dl(), t.count_t()};
      for (int k = E::play_new; k <= E::play_through; ++k) QCOMPARE(counts[k - 1], k == c.kind ? 1 : 0);
    }
  }

  // A credited play new starts the waiting time: the next one only counts.
  void waiting_kind_only_counts() {
    ov_track t = make_track(1, 0);
    ov_activity_awards awards(nullptr, engine_.get());
    QCOMPARE(awards.award(&t, E::play_new), 1);
    QCOMPARE(awards.award(&t, E::play_new), 0);
    QCOMPARE(t.count_n(), 2);
    QCOMPARE(t.score(), 1);
  }

  // Two passed-over tracks lose one point each; the picked one gains both.
  void selection() {
    ov_track picked = make_track(1, 0), a = make_track(2, 10), b = make_track(3, 10);
    ov_activity_awards awards(nullptr, engine_.get());
    const ov_activity_awards::selection s = awards.select(&picked, {&a, &b});
    QCOMPARE(s.losses, (QList<int>{-1, -1}));
    QCOMPARE(s.points, 2);
    QCOMPARE(picked.score(), 2);
    QCOMPARE(a.score(), 9);
    QCOMPARE(b.score(), 9);
    QCOMPARE(picked.count_s(), 1);
    QCOMPARE(a.count_ns() + b.count_ns(), 2);
    QCOMPARE(engine_->experience(), 2);
    QVERIFY(engine_->is_waiting(E::selected));
  }

  // At the top grade (play new 60) with the album spread at its strongest
  // (5 shares of 10 %) and the plain artist spread (3 shares of 5 %).
  void spreads_over_album_and_artist() {
    for (engine_->add_experience(engine_->grade()->exp_requirement); engine_->can_upgrade();
         engine_->add_experience(engine_->grade()->exp_requirement))
      engine_->upgrade();
    const ovd_skill& cat = ovd_skill::instance();
    engine_->set_skills(
        ov_skill_set(99, {cat.find(ovd_skill::distribute_album), cat.find(ovd_skill::distribution_boost_album_2),
                          cat.find(ovd_skill::distribute_artist)}));
    ov_track t = make_track(1, 0), fellow = make_track(2, 0);
    ov_track_group album{QStringLiteral("album"), QString(), 0, {&t}};
    ov_track_group artist{QStringLiteral("artist"), QString(), 0, {&fellow}};
    t.set_album_group(&album);
    t.set_artist_group(&artist);
    ov_activity_awards awards(nullptr, engine_.get());
    QCOMPARE(awards.award(&t, E::play_new), 60);
    QCOMPARE(t.score(), 60 + 5 * 6);
    QCOMPARE(fellow.score(), 3 * 3);
  }
};

QTEST_MAIN(test_activity_awards)
#include "test_activity_awards.moc"
