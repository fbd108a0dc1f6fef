#include "ov_write_failure.h"

#include <mutex>

namespace {

struct state {
  std::mutex lock;
  bool happened = false;
  bool told = false;
  QString file;
  QString reason;
  ov_write_failure::listener on_first;
};

state& shared() {
  static state s;
  return s;
}

// Called with the lock held; the listener runs after it is released.
ov_write_failure::listener take_untold(state& s) {
  if (!s.happened || s.told || !s.on_first) return {};
  s.told = true;
  return s.on_first;
}

}  // namespace

void ov_write_failure::report(const QString& file, const QString& reason) {
  state& s = shared();
  listener tell;
  {
    std::lock_guard locker(s.lock);
    if (s.happened) return;
    s.happened = true;
    s.file = file;
    s.reason = reason;
    tell = take_untold(s);
  }
  if (tell) tell(file, reason);
}

void ov_write_failure::listen(listener on_first) {
  state& s = shared();
  listener tell;
  QString file, reason;
  {
    std::lock_guard locker(s.lock);
    s.on_first = std::move(on_first);
    tell = take_untold(s);
    file = s.file;
    reason = s.reason;
  }
  if (tell) tell(file, reason);
}

bool ov_write_failure::happened() {
  state& s = shared();
  std::lock_guard locker(s.lock);
  return s.happened;
}
