#include "ov_random.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>

namespace {
ov_random_c g_default;
ov_random* g_current = nullptr;
}  // namespace

int ov_random::between(int lo, int hi) {
  if (lo > hi) std::swap(lo, hi);
  // (r1 * 65536 + r2) mod span, in 64 bits: glibc's RAND_MAX is 2^31 - 1, so
  // the product does not fit a 32-bit int.
  const std::int64_t span = std::int64_t(hi) - lo + 1;
  const std::int64_t first = raw();
  const std::int64_t draw = first * 65536 + raw();
  return static_cast<int>(lo + draw % span);
}

ov_random& ov_random::current() {
  return g_current ? *g_current : g_default;
}

void ov_random::install(ov_random* source) {
  g_current = source;
}

int ov_random_c::raw() {
  if (!seeded_) {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    seeded_ = true;
  }
  return std::rand();
}

int random_between(int lo, int hi) {
  return ov_random::current().between(lo, hi);
}
