#include "ov_mpeg_decoder.h"

#include <mpg123.h>
#include <unistd.h>

#include <cmath>
#include <mutex>

namespace {
// Reads one call may spend skipping audio in a foreign format before it
// hands back an empty result and is asked again.
constexpr int skip_reads_per_call = 64;

QString error_of(mpg123_handle* h) {
  return QString::fromUtf8(mpg123_strerror(h));
}
}  // namespace

std::unique_ptr<ov_mpeg_decoder> ov_mpeg_decoder::open(int fd, QString* reason) {
  static std::once_flag once;
  std::call_once(once, [] { mpg123_init(); });
  std::unique_ptr<ov_mpeg_decoder> d(new ov_mpeg_decoder);
  d->fd_ = fd;
  int err = MPG123_OK;
  d->handle_ = mpg123_new(nullptr, &err);
  if (!d->handle_) {
    *reason = QStringLiteral("no MPEG decoder: ") + QString::fromUtf8(mpg123_plain_strerror(err));
    return nullptr;
  }
  // Resync and header diagnostics would go to stderr; what matters is logged.
  mpg123_param(d->handle_, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
  long rate = 0;
  if (mpg123_open_fd(d->handle_, fd) != MPG123_OK ||
      mpg123_getformat(d->handle_, &rate, &d->channels_, &d->encoding_) != MPG123_OK) {
    *reason = error_of(d->handle_);
    return nullptr;
  }
  // MPEG-1 frames hold 1152 samples, MPEG-2 and 2.5 frames (sampled at 24 kHz
  // and below) 576.
  if (const int spf = mpg123_spf(d->handle_); spf > 0) d->samples_per_frame_ = spf;
  // The output is signed 16-bit samples only; anything else would be noise.
  if (d->encoding_ != MPG123_ENC_SIGNED_16 || d->channels_ < 1 || d->channels_ > 2 || rate <= 0) {
    *reason = QStringLiteral("unsupported MPEG output format");
    return nullptr;
  }
  d->rate_ = int(rate);
  return d;
}

ov_mpeg_decoder::~ov_mpeg_decoder() {
  if (handle_) mpg123_delete(handle_);
  if (fd_ >= 0) ::close(fd_);
}

ov_decoder::read_result ov_mpeg_decoder::read(char* out, int bytes) {
  const int frame_bytes = 2 * channels_;
  for (int reads = 0; reads < skip_reads_per_call; ++reads) {
    size_t done = 0;
    const int r = mpg123_read(handle_, reinterpret_cast<unsigned char*>(out), size_t(bytes), &done);
    int kept = in_opened_format_ ? int(done) : 0;
    kept -= kept % frame_bytes;
    if (r == MPG123_OK) {
      if (kept > 0) return {kept, false};
      continue;
    }
    if (r == MPG123_NEW_FORMAT) {
      long rate = 0;
      int channels = 0, encoding = 0;
      in_opened_format_ = mpg123_getformat(handle_, &rate, &channels, &encoding) == MPG123_OK && rate == rate_ &&
                          channels == channels_ && encoding == encoding_;
      if (kept > 0) return {kept, false};
      continue;
    }
    if (r != MPG123_DONE) error_ = error_of(handle_);
    return {kept, true};
  }
  return {0, false};
}

void ov_mpeg_decoder::seek(qint64 sample) {
  mpg123_seek_frame(handle_, off_t(std::round(double(sample) / samples_per_frame_)), SEEK_SET);
}

qint64 ov_mpeg_decoder::position() {
  const off_t frame = mpg123_tellframe(handle_);
  return frame < 0 ? 0 : qint64(frame) * samples_per_frame_;
}
