#include "ov_id_counter.h"

int ov_id_counter::next() {
  QWriteLocker locker(&lock_);
  return ++value_;
}

void ov_id_counter::set(int value) {
  QWriteLocker locker(&lock_);
  value_ = value;
}
