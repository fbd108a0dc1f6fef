#pragma once

#include "ov_engine_rules.h"

// What the favorite engine would give with a skill set that is still being
// edited (the engine's own rules on a grade and a set it does not hold yet),
// with the Dynamic Rate examples the preferences page shows.
class ovgp_skill_preview : public ov_engine_rules {
public:
  using ov_engine_rules::ov_engine_rules;

  // The Dynamic Rate example factor shown for a rank difference (0.1 per
  // step either way, boosted by Dynamic Rate Boost); 1 without Dynamic Rate.
  double dynamic_rate_example(int rank_difference) const;
};
