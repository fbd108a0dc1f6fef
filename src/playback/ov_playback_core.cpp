#include "ov_playback_core.h"

#include "ov_log.h"
#include "ov_playback_core_thread.h"
#include "ov_regular_file.h"
#include "ov_util.h"

#include <QFile>

#include <mpg123.h>

#include <unistd.h>
#include <cmath>
#include <cstdlib>
#include <mutex>

namespace {
// Reads one refill may spend skipping audio in a format the device was not
// opened for, before it hands the sink an empty block and comes back later.
constexpr int skip_reads_per_refill = 64;

void init_decoder_library() {
  static std::once_flag once;
  std::call_once(once, [] { mpg123_init(); });
}

}  // namespace

ov_playback_core::ov_playback_core(const QString& file_path, int global_volume)
    : global_volume_(ov_clamp(global_volume, 0, 100)), file_path_(file_path) {
  static const int status_type = qRegisterMetaType<ove_playback::status>("ove_playback::status");
  Q_UNUSED(status_type);
  init_decoder_library();
  int err = MPG123_OK;
  decoder_ = mpg123_new(nullptr, &err);
  if (!decoder_) {
    log_refusal(QStringLiteral("no MPEG decoder: ") + QString::fromUtf8(mpg123_plain_strerror(err)));
    return;
  }
  // Resync and header diagnostics would go to stderr; what matters is logged.
  mpg123_param(decoder_, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
  // Only a regular file is opened, and never in a way that can block.
  ov_regular_file file(file_path);
  if (!file.is_open()) {
    log_refusal(QStringLiteral("not a readable regular file: ") + file.reason());
    return;
  }
  if (mpg123_open_fd(decoder_, file.fd()) != MPG123_OK) {
    log_refusal(QString::fromUtf8(mpg123_strerror(decoder_)));
    return;
  }
  fd_ = file.release();
  if (mpg123_getformat(decoder_, &rate_, &channels_, &encoding_) != MPG123_OK) {
    log_refusal(QString::fromUtf8(mpg123_strerror(decoder_)));
    return;
  }
  // MPEG-1 frames hold 1152 samples, MPEG-2 and 2.5 frames (sampled at 24 kHz
  // and below) 576: positions and seeks count in the stream's own frames.
  if (const int spf = mpg123_spf(decoder_); spf > 0) samples_per_frame_ = spf;
  // The device plays signed 16-bit samples only; anything else would be noise.
  if (encoding_ != MPG123_ENC_SIGNED_16 || channels_ < 1 || channels_ > 2 || rate_ <= 0) return;

  sink_ = ov_pcm_sink::create();
  if (!sink_->open(int(rate_), channels_, [this](ov_pcm_sink::block* b) { on_block_done(b); })) {
    sink_.reset();
    return;
  }
  block_size_ = int(mpg123_outblock(decoder_));
  for (int i = 0; i < block_count; ++i) {
    buffers_[i] = static_cast<char*>(std::malloc(size_t(block_size_)));
    if (!buffers_[i]) return;
    blocks_[i].data = buffers_[i];
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
  for (char*& b : buffers_) {
    std::free(b);
    b = nullptr;
  }
  if (decoder_) mpg123_delete(decoder_);
  if (fd_ >= 0) ::close(fd_);  // libmpg123 leaves a descriptor it was given open
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
    mpg123_seek_frame(decoder_, 0, SEEK_SET);
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
  const off_t index = off_t(std::round(msec / frame_ms()));
  {
    std::lock_guard d(decoder_mutex_);
    mpg123_seek_frame(decoder_, index, SEEK_SET);
  }
  emit signal_position_changed(msec);
}

int ov_playback_core::position() {
  if (!valid_) return 0;
  off_t frame;
  {
    std::lock_guard d(decoder_mutex_);
    frame = mpg123_tellframe(decoder_);
  }
  if (frame < 0) return 0;
  return int(std::round(double(frame) * frame_ms()));
}

void ov_playback_core::set_volume(int v) {
  volume_ = ov_clamp(v, 0, 100);
}
void ov_playback_core::set_global_volume(int v) {
  global_volume_ = ov_clamp(v, 0, 100);
}

double ov_playback_core::frame_ms() const {
  return 1000.0 / (double(rate_) / samples_per_frame_);
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

// Decodes the next block. Only audio in the format the device was opened
// with is kept: a stretch that libmpg123 reports in another format (garbage
// or a stray frame mid-file) is skipped. A decoder error ends the stream
// like the end of the file does.
ov_playback_core::fill_result ov_playback_core::fill(ov_pcm_sink::block* b) {
  std::lock_guard d(decoder_mutex_);
  const int frame_bytes = 2 * channels_;
  b->bytes = 0;
  for (int reads = 0; reads < skip_reads_per_refill; ++reads) {
    size_t done = 0;
    const int r = mpg123_read(decoder_, reinterpret_cast<unsigned char*>(b->data), size_t(block_size_), &done);
    int kept = decoding_opened_format_ ? int(done) : 0;
    kept -= kept % frame_bytes;
    b->bytes = kept;
    if (r == MPG123_OK) {
      if (kept > 0) return {kept, false};
      continue;
    }
    if (r == MPG123_NEW_FORMAT) {
      long rate = 0;
      int channels = 0, encoding = 0;
      decoding_opened_format_ = mpg123_getformat(decoder_, &rate, &channels, &encoding) == MPG123_OK && rate == rate_ &&
                                channels == channels_ && encoding == encoding_;
      if (kept > 0) return {kept, false};
      continue;
    }
    // Every block asks again after the decoder gave up: the file is logged
    // once, when the core closes, with the count.
    if (r != MPG123_DONE && decode_failures_++ == 0) decode_failure_ = QString::fromUtf8(mpg123_strerror(decoder_));
    return {kept, true};
  }
  b->bytes = 0;
  return {0, false};
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
