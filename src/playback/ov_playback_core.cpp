#include "ov_playback_core.h"

#include "ov_decoder.h"
#include "ov_log.h"
#include "ov_playback_core_thread.h"
#include "ov_util.h"

#include <algorithm>
#include <cmath>
#include <mutex>

ov_playback_core::ov_playback_core(const QString& file_path, int global_volume)
    : global_volume_(ov_clamp(global_volume, 0, 100)), file_path_(file_path) {
  static const int status_type = qRegisterMetaType<ove_playback::status>("ove_playback::status");
  Q_UNUSED(status_type);
  QString reason;
  decoder_ = ov_decoder::open(file_path, &reason);
  if (!decoder_) {
    log_refusal(reason);
    return;
  }
  rate_ = decoder_->rate();
  const int channels = decoder_->channels();
  sink_ = ov_pcm_sink::create();
  if (!sink_->open(rate_, channels, [this](ov_pcm_sink::block* b) { on_block_done(b); })) {
    sink_.reset();
    return;
  }
  block_size_ = std::max(1, rate_ * block_ms / 1000) * channels * 2;
  pcm_.assign(size_t(block_size_) * block_count, 0);
  for (int i = 0; i < block_count; ++i) {
    blocks_[i].data = pcm_.data() + size_t(i) * size_t(block_size_);
    blocks_[i].bytes = 0;
    blocks_[i].index = i;
  }
  reset_worker_ = std::make_unique<ov_playback_core_thread>(sink_.get(), &reset_done_);
  valid_ = true;
  drained_ = 0;
}

ov_playback_core::~ov_playback_core() {
  stop();
  const ove_playback::status old = state_.load();
  emit signal_state_changed(old, ove_playback::closed);
  {
    std::unique_lock l(lock_);
    state_ = ove_playback::closed;
    valid_ = false;
  }
  // Closing joins the sink's thread: no completion notice runs after this.
  if (sink_) sink_->close();
  if (decode_failures_ > 0)
    ov_log_write_flush(ov_log::WARNING, QStringLiteral("playback"),
                       QStringLiteral("decoding stopped: ") + decode_failure_ + QStringLiteral("  file=") + file_path_ +
                           QStringLiteral("  times=%1").arg(decode_failures_));
  reset_worker_.reset();
}

void ov_playback_core::log_refusal(const QString& reason) const {
  ov_log_write_flush(ov_log::WARNING, QStringLiteral("playback"),
                     QStringLiteral("cannot play the file: ") + reason + QStringLiteral("  file=") + file_path_);
}

void ov_playback_core::play() {
  if (!valid_ || state_ == ove_playback::playing) return;
  // Blocks still out from a run that has ended must come back before the
  // buffers are refilled.
  if (in_flight_.load() > 0) sink_->reset();
  const ove_playback::status old = state_.load();
  emit signal_state_changed(old, ove_playback::playing);
  for (ov_pcm_sink::block& b : blocks_) {
    fill(&b);
    scale(&b);
  }
  // Under the write lock, so that a block coming back at once is not
  // refilled and queued before the rest of the twelve.
  std::unique_lock l(lock_);
  state_ = ove_playback::playing;
  for (ov_pcm_sink::block& b : blocks_) submit(&b);
}

void ov_playback_core::pause() {
  if (!valid_) return;
  {
    std::unique_lock l(lock_);
    if (state_ != ove_playback::playing) return;
    state_ = ove_playback::paused;
    reset_worker_->start();
  }
  emit signal_state_changed(ove_playback::playing, ove_playback::paused);
  reset_output();
}

void ov_playback_core::stop() {
  if (!valid_) return;
  ove_playback::status old;
  {
    std::unique_lock l(lock_);
    old = state_.load();
    if (old == ove_playback::ready || old == ove_playback::stopped || old == ove_playback::closed) return;
    state_ = ove_playback::stopped;
    reset_worker_->start();
    std::lock_guard d(decoder_mutex_);
    decoder_->seek(0);
  }
  emit signal_state_changed(old, ove_playback::stopped);
  reset_output();
  std::unique_lock l(lock_);
  drained_ = 0;
}

// Waits until the reset worker has handed every queued block back.
void ov_playback_core::reset_output() {
  reset_done_.acquire();
  reset_worker_->wait();
}

void ov_playback_core::seek(int msec) {
  if (!valid_) return;
  {
    std::unique_lock l(lock_);
    drained_ = 0;
  }
  {
    std::lock_guard d(decoder_mutex_);
    decoder_->seek(std::llround(double(msec) * rate_ / 1000.0));
  }
  emit signal_position_changed(msec);
}

int ov_playback_core::position() {
  if (!valid_) return 0;
  qint64 sample;
  {
    std::lock_guard d(decoder_mutex_);
    sample = decoder_->position();
  }
  return int(std::llround(double(sample) * 1000.0 / rate_));
}

void ov_playback_core::set_volume(int v) {
  volume_ = ov_clamp(v, 0, 100);
}
void ov_playback_core::set_global_volume(int v) {
  global_volume_ = ov_clamp(v, 0, 100);
}

// Runs on the sink's thread for every block it hands back.
void ov_playback_core::on_block_done(ov_pcm_sink::block* b) {
  {
    std::shared_lock l(lock_);
    if (state_ != ove_playback::playing) {
      --in_flight_;
      return;  // paused, stopped or closing: the block leaves the rotation
    }
    const fill_result r = fill(b);
    if (r.bytes > 0 || !r.ended) {
      scale(b);
      sink_->queue(b);  // stays in flight
      return;
    }
  }
  // Nothing decoded and nothing more to come: the block is drained.
  std::unique_lock l(lock_);
  if (state_ == ove_playback::playing && ++drained_ >= block_count) {
    emit signal_finished();
    emit signal_state_changed(ove_playback::playing, ove_playback::finished);
    state_ = ove_playback::finished;
  }
  --in_flight_;
}

// Decodes the next block. A decoder error ends the stream like the end of
// the file does, with the decoder's own words in the log.
ov_playback_core::fill_result ov_playback_core::fill(ov_pcm_sink::block* b) {
  std::lock_guard d(decoder_mutex_);
  const ov_decoder::read_result r = decoder_->read(b->data, block_size_);
  b->bytes = r.bytes;
  // Every block asks again after the decoder gave up: the file is logged
  // once, when the core closes, with the count.
  if (r.ended && !decoder_->error().isEmpty() && decode_failures_++ == 0) decode_failure_ = decoder_->error();
  return {r.bytes, r.ended};
}

// Scales the decoded samples by the current volumes, truncating toward zero.
void ov_playback_core::scale(ov_pcm_sink::block* b) const {
  const int line = volume_.load(std::memory_order_relaxed);
  const int global = global_volume_.load(std::memory_order_relaxed);
  if (line == 100 && global == 100) return;
  const float factor = float((line * 0.01) * (0.01 * global));
  auto* s = reinterpret_cast<qint16*>(b->data);
  const int n = b->bytes / 2;
  for (int i = 0; i < n; ++i) s[i] = qint16(int(float(s[i]) * factor));
}

void ov_playback_core::submit(ov_pcm_sink::block* b) {
  ++in_flight_;
  sink_->queue(b);
}
