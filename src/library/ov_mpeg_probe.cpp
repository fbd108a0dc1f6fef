#include "ov_mpeg_probe.h"

#include <QFile>

#include <mpg123.h>

#include <memory>

namespace {

struct handle_deleter {
  void operator()(mpg123_handle* h) const {
    mpg123_close(h);
    mpg123_delete(h);
  }
};

}  // namespace

bool ov_has_mpeg_audio(const QString& path) {
  static const int initialised = mpg123_init();
  if (initialised != MPG123_OK) return false;

  int err = MPG123_OK;
  std::unique_ptr<mpg123_handle, handle_deleter> h(mpg123_new(nullptr, &err));
  if (!h) return false;
  mpg123_param(h.get(), MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
  if (mpg123_open(h.get(), QFile::encodeName(path).constData()) != MPG123_OK) return false;

  // The first call announces the format; a stream may announce it again
  // after garbage, so allow a few of those before the first frame.
  for (int attempt = 0; attempt < 8; ++attempt) {
    off_t frame = 0;
    unsigned char* audio = nullptr;
    size_t bytes = 0;
    const int r = mpg123_decode_frame(h.get(), &frame, &audio, &bytes);
    if (r == MPG123_NEW_FORMAT) continue;
    return r == MPG123_OK && bytes > 0;
  }
  return false;
}
