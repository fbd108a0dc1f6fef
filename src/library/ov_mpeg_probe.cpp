#include "ov_mpeg_probe.h"

#include <QFile>

#include <mpg123.h>

#include <memory>

namespace {

struct handle_deleter {
  void operator()(mpg123_handle* h) const { mpg123_delete(h); }
};

// Making a handle builds the decoder's tables, which costs more than the
// check itself; each thread keeps one and reopens it per file.
mpg123_handle* thread_handle() {
  static const int initialised = mpg123_init();
  if (initialised != MPG123_OK) return nullptr;
  thread_local std::unique_ptr<mpg123_handle, handle_deleter> handle = [] {
    int err = MPG123_OK;
    std::unique_ptr<mpg123_handle, handle_deleter> h(mpg123_new(nullptr, &err));
    if (h) mpg123_param(h.get(), MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
    return h;
  }();
  return handle.get();
}

// The first call announces the format; a stream may announce it again after
// garbage, so a few of those are allowed before the first frame. A frame
// counts once it has been found, checked and read whole (an encoder's info
// frame does not count); decoding it would add nothing to that.
bool first_frame_found(mpg123_handle* h) {
  bool found = false;
  for (int attempt = 0; attempt < 8; ++attempt) {
    const int r = mpg123_framebyframe_next(h);
    if (r == MPG123_NEW_FORMAT) continue;
    found = r == MPG123_OK;
    break;
  }
  mpg123_close(h);
  return found;
}

}  // namespace

bool ov_has_mpeg_audio(const QString& path) {
  mpg123_handle* h = thread_handle();
  if (!h || mpg123_open(h, QFile::encodeName(path).constData()) != MPG123_OK) return false;
  return first_frame_found(h);
}

bool ov_has_mpeg_audio_data(const QByteArray& data) {
  mpg123_handle* h = thread_handle();
  if (!h || mpg123_open_feed(h) != MPG123_OK) return false;
  if (mpg123_feed(h, reinterpret_cast<const unsigned char*>(data.constData()), size_t(data.size())) != MPG123_OK) {
    mpg123_close(h);
    return false;
  }
  return first_frame_found(h);
}
