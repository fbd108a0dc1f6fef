#pragma once

#include "ov_grade_table.h"
#include "ov_skill_set.h"

#include <initializer_list>

// What the favorite engine would give with a skill set that is still being
// edited: the engine's own arithmetic on gains, limit, waiting time, clicks,
// Nexts boxes and spreads, evaluated on a grade and a set that the engine
// does not hold yet. Kept in step with ov_favorite_engine (the tests compare
// the two on real engines).
class ovgp_skill_preview {
public:
  ovgp_skill_preview(const ov_grade_table::grade* grade, const ov_skill_set& skills)
      : grade_(grade), skills_(skills) {}

  int gain(int kind) const;
  int gain_limit() const;
  int wait_seconds() const;
  int click_capacity() const;
  int nexts_size() const;
  // Spread over tracks of the same album or artist: count 0 when disabled.
  struct spread {
    double rate = 0.0;
    int count = 0;
  };
  spread album_spread() const;
  spread artist_spread() const;
  // The Dynamic Rate example factor shown for a rank difference (0.1 per
  // step either way, boosted by Dynamic Rate Boost); 1 without Dynamic Rate.
  double dynamic_rate_example(int rank_difference) const;

  bool has(int id) const { return skills_.contains_id(id); }

  // Engine defaults without skills, shown beside the edited values.
  static constexpr int base_gain_limit = 100;
  static constexpr int base_nexts_size = 4;
  static constexpr int base_click_capacity = 2;

private:
  double effect(int id) const { return skills_.effect(id); }
  spread spread_of(int base, int boost, int boost_2) const;
  int counted_up(int start, std::initializer_list<int> ids) const;

  const ov_grade_table::grade* grade_;
  ov_skill_set skills_;
};
