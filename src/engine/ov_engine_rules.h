#pragma once

#include "ov_grade_table.h"
#include "ov_skill_set.h"

#include <initializer_list>
#include <utility>

// What a grade and a skill set give: the activity gains, the gain limit, the
// waiting time, the like-button clicks, the Nexts boxes and the spreads over
// albums and artists. The favorite engine evaluates its own grade and skills
// with it; the skill preferences evaluate a set that is still being edited.
class ov_engine_rules {
public:
  // Values without skills.
  static constexpr int base_gain_limit = 100;
  static constexpr int base_nexts_size = 4;
  static constexpr int base_click_capacity = 2;

  ov_engine_rules(const ov_grade_table::grade* grade, ov_skill_set skills)
      : grade_(grade), skills_(std::move(skills)) {}

  // Points of an activity (ov_favorite_engine::kind) before the limit.
  int gain(int kind) const;
  int gain_limit() const;
  int wait_seconds() const;
  int click_capacity() const;
  int nexts_size() const;
  // Spread over tracks of the same album or artist: the strongest skill of
  // the chain decides; count 0 without the base skill.
  struct spread {
    double rate = 0.0;
    int count = 0;
  };
  spread album_spread() const;
  spread artist_spread() const;

  bool has(int id) const { return skills_.contains_id(id); }
  double effect(int id) const { return skills_.effect(id); }

private:
  spread spread_of(int base, int boost, int boost_2) const;
  int counted_up(int start, std::initializer_list<int> ids) const;

  const ov_grade_table::grade* grade_;
  ov_skill_set skills_;
};
