#pragma once

#include "ov_engine_rules.h"
#include "ov_favorite_record.h"
#include "ov_grade_table.h"
#include "ov_skill_set.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <array>

class QTimer;
class ov_database;
class ov_track;

// Turns listening activity into points for tracks and experience for the
// user: base gains of the current grade changed by the selected skills, the
// limit on every award, the waiting time that holds activities back, the
// random score multiplier, and the stored record of grade, experience and
// skills. Lives on the GUI thread.
class ov_favorite_engine : public QObject {
  Q_OBJECT

public:
  enum kind : int { play_new = 1, selected = 2, like = 3, dislike = 4, play_through = 5 };

  // db: the favorite_engine.db handle (not owned, may be null or closed);
  // seed: the installation seed that starts every field key.
  ov_favorite_engine(ov_database* db, const QString& seed, QObject* parent = nullptr);
  ~ov_favorite_engine() override;

  bool is_waiting(int kind) const;
  // Points of an activity before the limit.
  int gain(int kind) const;
  // The (normally negative) change of a track shown but not picked on the
  // Nexts panel; 0 when either track is missing.
  double not_selected_gain(const ov_track* other, const ov_track* picked) const;
  // The same from the two scores.
  double not_selected_gain_of_scores(int other_score, int picked_score) const;
  // The size capped at gain_limit(), sign kept; Reverse flips it unless
  // no_reverse is set.
  int limit(int points, bool no_reverse) const;
  // limit on real numbers, Reverse always applied.
  double limit_real(double points) const;
  int score_multiplier() const { return multiplier_; }

  void add_experience(int points);
  void use_kind(int kind);
  void roll_multiplier(int points);

  double spread_rate_album() const;
  int spread_count_album() const;
  double spread_rate_artist() const;
  int spread_count_artist() const;

  int play_through_seconds() const;
  int wait_seconds() const;
  int click_capacity() const;
  int nexts_size() const;
  int gain_limit() const;

  void set_skills(const ov_skill_set& skills);
  bool can_upgrade() const;
  void upgrade();

  const ov_grade_table::grade* grade() const { return record_.grade; }
  int experience() const { return record_.experience; }
  int time_left() const { return time_left_; }
  int multiplier_streak() const { return streak_; }
  int clicks_left() const { return clicks_left_; }
  bool is_counting_down() const;
  const ov_skill_set& skills() const { return record_.skills; }
  QStringList pending_messages() const { return pending_messages_; }
  bool load_ok() const { return load_ok_; }

  // The message queued when the stored record could not be used.
  static QString load_failed_message();

signals:
  void esignal_status_changed();
  void esignal_enabled_like_buttons(bool is_enabled);
  void esignal_upgraded();
  void esignal_pref_changed();

public slots:
  void islot_update_time_left();

private:
  double effect(int id) const { return record_.skills.effect(id); }
  bool has(int id) const { return record_.skills.contains_id(id); }
  // The gains, limits and spreads of the grade and skills held now.
  ov_engine_rules rules() const { return ov_engine_rules(record_.grade, record_.skills); }
  void reset_kinds();
  void load_record();
  void save_record();

  ov_database* db_;
  QString seed_;
  QStringList pending_messages_;
  bool load_ok_ = false;
  bool save_needed_ = false;
  ov_favorite_record record_;
  int time_left_ = 0;
  QTimer* timer_ = nullptr;
  std::array<bool, 6> used_{};  // by kind, 1..5
  int clicks_left_ = 0;
  int multiplier_ = 1;
  int streak_ = 0;
};
