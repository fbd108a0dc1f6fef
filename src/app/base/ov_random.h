#pragma once

#include <cstdint>
#include <random>

// The one source of randomness of the program. Production draws come from the
// C library generator, seeded once with the current time in seconds on the
// first draw; tests install a fixed-seed source.
class ov_random {
public:
  virtual ~ov_random() = default;
  // One raw draw in 0..2147483647.
  virtual int raw() = 0;
  // Uniform integer between the smaller and the larger bound, both included.
  int between(int lo, int hi);

  // The source every random_between uses. Not thread-safe: draws happen on
  // the GUI thread only.
  static ov_random& current();
  // Installs a source (not owned); nullptr restores the C library source.
  static void install(ov_random* source);
};

// The C library generator (rand), time-seeded on its first draw.
class ov_random_c final : public ov_random {
public:
  int raw() override;

private:
  bool seeded_ = false;
};

// A reproducible source for tests and benchmarks.
class ov_random_fixed final : public ov_random {
public:
  explicit ov_random_fixed(std::uint32_t seed) : gen_(seed) {}
  int raw() override { return static_cast<int>(gen_() & 0x7fffffffu); }

private:
  std::mt19937 gen_;
};

// Installs a source for the lifetime of the guard.
class ov_random_scope {
public:
  explicit ov_random_scope(ov_random* source) { ov_random::install(source); }
  ~ov_random_scope() { ov_random::install(nullptr); }
  ov_random_scope(const ov_random_scope&) = delete;
  ov_random_scope& operator=(const ov_random_scope&) = delete;
};

int random_between(int lo, int hi);
