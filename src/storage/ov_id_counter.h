#pragma once

#include <shared_mutex>

// Allocates row ids; safe to draw from several threads.
class ov_id_counter {
public:
  // The first next() returns start.
  explicit ov_id_counter(int start) : value_(start - 1) {}
  int next();
  void set(int value);

private:
  std::shared_mutex lock_;  // read-write lock; ids only ever take it for writing
  int value_;
};
