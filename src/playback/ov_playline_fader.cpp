#include "ov_playline_fader.h"

#include "ov_playback_normal.h"

#include <algorithm>

ov_playline_fader::~ov_playline_fader() {
  cancel();
}

void ov_playline_fader::setup(ov_playback_normal* playback, int mode, int length) {
  playback_ = playback;
  if (length < 100) {
    length_ = 0;
    return;
  }
  cancel();
  mode_ = mode;
  length_ = length;
  step_ = qMax(1, int(100000.0 / (double(length) / tick_ms)));
  level_ = (mode == fade_in || mode == fade_out) ? playback_->volume() * 1000 : 0;
}

void ov_playline_fader::start_run() {
  cancel();
  {
    std::lock_guard<std::mutex> l(mutex_);
    cancelled_ = false;
  }
  start();
}

void ov_playline_fader::cancel() {
  {
    std::lock_guard<std::mutex> l(mutex_);
    cancelled_ = true;
  }
  wake_.notify_all();
  wait();
  // The run ended with the lock released; taking it once more orders its
  // last writes (level) before whatever the caller reads next.
  std::lock_guard<std::mutex> l(mutex_);
}

bool ov_playline_fader::wait_tick(std::chrono::steady_clock::time_point until) {
  std::unique_lock<std::mutex> l(mutex_);
  return !wake_.wait_until(l, until, [this] { return cancelled_; });
}

void ov_playline_fader::run() {
  const int id = id_;
  if (playback_ && length_ == 0) {
    // Too short to fade: the phase ends at once, at its final volume.
    if (mode_ == fade_in) playback_->set_volume(100);
    if (mode_ == fade_out) playback_->set_volume(0);
  } else if (playback_ && mode_ == fade_in) {
    run_fade_in();
  } else if (playback_ && mode_ == fade_out) {
    run_fade_out();
  } else if (playback_ && mode_ == flatline) {
    run_flatline();
  }
  std::lock_guard<std::mutex> l(mutex_);
  if (!cancelled_) emit signal_fade_finished(id);
}

void ov_playline_fader::run_fade_in() {
  auto tick = std::chrono::steady_clock::now();
  for (;;) {
    level_ += step_;
    const int v = level_ / 1000;
    if (v - playback_->volume() >= 1) playback_->set_volume(v);
    if (v >= 100) return;
    tick += std::chrono::milliseconds(tick_ms);
    if (!wait_tick(tick)) return;
  }
}

void ov_playline_fader::run_fade_out() {
  auto tick = std::chrono::steady_clock::now();
  for (;;) {
    level_ -= step_;
    const int v = level_ / 1000;
    if (playback_->volume() - v >= 1) playback_->set_volume(v);
    if (v < 1) return;
    tick += std::chrono::milliseconds(tick_ms);
    if (!wait_tick(tick)) return;
  }
}

// Only a wait: one sleep for all the ticks the level still needs, with the
// level brought up to the ticks that passed when the wait is cancelled.
void ov_playline_fader::run_flatline() {
  const auto start = std::chrono::steady_clock::now();
  level_ += step_;
  if (level_ >= 100000) return;
  const int ticks = (100000 - level_ + step_ - 1) / step_;
  if (wait_tick(start + std::chrono::milliseconds(qint64(ticks) * tick_ms))) {
    level_ += ticks * step_;
    return;
  }
  const auto passed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  level_ += std::min(int(passed.count() / tick_ms), ticks) * step_;
}
