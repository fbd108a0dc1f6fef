#include "ov_mpeg_probe.h"

#include <mpg123.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

namespace {

struct handle_deleter {
  void operator()(mpg123_handle* h) const { mpg123_delete(h); }
};

// A window of the file that libmpg123 reads as if it were the whole file.
struct window {
  int fd = -1;
  off_t begin = 0;
  off_t end = 0;
  off_t at = 0;  // relative to begin
};

mpg123_ssize_t window_read(void* handle, void* buffer, size_t bytes) {
  auto* w = static_cast<window*>(handle);
  const off_t left = std::max<off_t>(0, w->end - w->begin - w->at);
  const size_t wanted = std::min<size_t>(bytes, size_t(left));
  if (wanted == 0) return 0;
  ssize_t got;
  do {
    got = ::pread(w->fd, buffer, wanted, w->begin + w->at);
  } while (got < 0 && errno == EINTR);
  if (got > 0) w->at += got;
  return got;
}

off_t window_seek(void* handle, off_t offset, int whence) {
  auto* w = static_cast<window*>(handle);
  const off_t size = w->end - w->begin;
  off_t target = offset;
  if (whence == SEEK_CUR) target = w->at + offset;
  if (whence == SEEK_END) target = size + offset;
  if (target < 0 || target > size) return -1;
  w->at = target;
  return target;
}

// Making a handle builds the decoder's tables, which costs more than the
// check itself; each thread keeps one and reopens it per file.
mpg123_handle* thread_handle() {
  static const int initialised = mpg123_init();
  if (initialised != MPG123_OK) return nullptr;
  thread_local std::unique_ptr<mpg123_handle, handle_deleter> handle = [] {
    int err = MPG123_OK;
    std::unique_ptr<mpg123_handle, handle_deleter> h(mpg123_new(nullptr, &err));
    if (h) {
      // Decoder diagnostics would go to stderr; the caller logs the outcome.
      mpg123_param(h.get(), MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
      mpg123_replace_reader_handle(h.get(), &window_read, &window_seek, nullptr);
    }
    return h;
  }();
  return handle.get();
}

// Offset of the first byte after the ID3v2 tags at the start of the file.
off_t after_leading_tags(int fd, off_t file_size) {
  off_t at = 0;
  unsigned char header[10];
  while (at + 10 <= file_size && ::pread(fd, header, sizeof header, at) == ssize_t(sizeof header)) {
    if (header[0] != 'I' || header[1] != 'D' || header[2] != '3' || header[3] == 0xff || header[4] == 0xff) break;
    if ((header[6] | header[7] | header[8] | header[9]) & 0x80) break;  // sizes are synchsafe
    const off_t size = (off_t(header[6]) << 21) | (off_t(header[7]) << 14) | (off_t(header[8]) << 7) | header[9];
    const bool footer = header[5] & 0x10;
    at += 10 + size + (footer ? 10 : 0);
  }
  return std::min(at, file_size);
}

// Decodes frame after frame until one gives samples. Trimmed frames (an
// encoder's info frame, gapless delay and padding) give none.
bool first_samples(mpg123_handle* h, QString* reason) {
  constexpr int max_calls = 4096;  // more than the frames of the window
  for (int call = 0; call < max_calls; ++call) {
    off_t frame = 0;
    unsigned char* audio = nullptr;
    size_t bytes = 0;
    const int r = mpg123_decode_frame(h, &frame, &audio, &bytes);
    if (r == MPG123_OK && bytes > 0) return true;
    if (r == MPG123_OK || r == MPG123_NEW_FORMAT) continue;
    if (r == MPG123_DONE) {
      if (reason) *reason = QStringLiteral("no samples decoded");
      return false;
    }
    if (reason) *reason = QString::fromUtf8(mpg123_strerror(h));
    if (r != MPG123_ERR) return false;
    // A broken frame is skipped as playback does; the bounded window ends the search.
    if (mpg123_errcode(h) == MPG123_RESYNC_FAIL || mpg123_errcode(h) == MPG123_OUT_OF_SYNC) return false;
  }
  if (reason) *reason = QStringLiteral("no samples decoded");
  return false;
}

}  // namespace

bool ov_decodes_mpeg_audio(int fd, QString* reason) {
  mpg123_handle* h = thread_handle();
  if (!h) {
    if (reason) *reason = QStringLiteral("the MPEG decoder could not be made");
    return false;
  }
  const off_t size = ::lseek(fd, 0, SEEK_END);
  if (size < 0) {
    if (reason) *reason = QStringLiteral("the file cannot be read");
    return false;
  }
  window w;
  w.fd = fd;
  w.begin = after_leading_tags(fd, size);
  w.end = std::min<off_t>(size, w.begin + off_t(ov_mpeg_probe_bytes));
  if (mpg123_open_handle(h, &w) != MPG123_OK) {
    if (reason) *reason = QString::fromUtf8(mpg123_strerror(h));
    return false;
  }
  const bool decoded = first_samples(h, reason);
  mpg123_close(h);
  return decoded;
}
