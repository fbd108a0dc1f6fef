#include "ovgp_skill_preview.h"

#include <cstdlib>

double ovgp_skill_preview::dynamic_rate_example(int d) const {
  if (!has(ovd_skill::dynamic_rate) || d == 0) return 1.0;
  const double boost = has(ovd_skill::dynamic_rate_boost) ? effect(ovd_skill::dynamic_rate_boost) : 1.0;
  constexpr double step = 0.1;
  return d > 0 ? 1.0 + d * step * boost : 1.0 / (1.0 + std::abs(d) * step * boost);
}
