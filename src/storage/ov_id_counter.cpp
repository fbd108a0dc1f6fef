#include "ov_id_counter.h"

#include <limits>
#include <mutex>

int ov_id_counter::next() {
  std::unique_lock locker(lock_);
  if (value_ >= std::numeric_limits<int>::max()) return 0;
  return static_cast<int>(++value_);
}

void ov_id_counter::set(int value) {
  std::unique_lock locker(lock_);
  value_ = value;
}
