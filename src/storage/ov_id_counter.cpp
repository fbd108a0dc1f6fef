#include "ov_id_counter.h"

#include <mutex>

int ov_id_counter::next() {
  std::unique_lock locker(lock_);
  return ++value_;
}

void ov_id_counter::set(int value) {
  std::unique_lock locker(lock_);
  value_ = value;
}
