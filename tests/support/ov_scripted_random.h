#pragma once

#include "ov_random.h"

#include <QList>

// Hands out given raw values in turn (then zeros) and counts the draws.
// between(lo, hi) is lo + (first * 65536 + second) % span, so a pair
// (0, v) draws lo + v.
class ov_scripted_random final : public ov_random {
public:
  explicit ov_scripted_random(QList<int> raws = {}) : raws_(std::move(raws)) {}
  int raw() override {
    ++calls;
    return raws_.isEmpty() ? 0 : raws_.takeFirst();
  }
  // Queues draws that give exactly these values of between(0, n) (of
  // between(lo, n), the values minus lo).
  void queue_draws(const QList<int>& values) {
    for (int v : values) raws_ << 0 << v;
  }
  int calls = 0;

private:
  QList<int> raws_;
};
