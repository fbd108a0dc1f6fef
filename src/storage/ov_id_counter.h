#pragma once

#include <shared_mutex>

// Allocates row ids; safe to draw from several threads. Ids never go past
// the largest int: once it has been handed out, next() gives 0 (no id).
class ov_id_counter {
public:
  // The first next() returns last_used + 1 (0 once last_used is the largest int).
  explicit ov_id_counter(int last_used) : value_(last_used) {}
  int next();
  void set(int value);

private:
  std::shared_mutex lock_;  // read-write lock; ids only ever take it for writing
  long long value_;
};
