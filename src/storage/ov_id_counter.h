#pragma once

#include <shared_mutex>

// Allocates row ids; safe to draw from several threads. Ids never go past
// the largest int: once it has been handed out, next() gives 0 (no id).
class ov_id_counter {
public:
  // The first next() returns start.
  explicit ov_id_counter(int start) : value_(static_cast<long long>(start) - 1) {}
  int next();
  void set(int value);

private:
  std::shared_mutex lock_;  // read-write lock; ids only ever take it for writing
  long long value_;
};
