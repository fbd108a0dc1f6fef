#pragma once

#include <QByteArray>
#include <QString>

#include <mpg123.h>

namespace ov_test {
// libmpg123's own decode of a whole file with default settings. With
// opened_format_only, audio that the decoder reports in a format other than
// the first one is left out.
inline QByteArray decode_all(const QString& path, bool opened_format_only = false) {
  mpg123_init();
  mpg123_handle* h = mpg123_new(nullptr, nullptr);
  QByteArray out;
  long rate0 = 0, rate = 0;
  int ch0 = 0, enc0 = 0, ch = 0, enc = 0;
  if (mpg123_open(h, path.toLocal8Bit().constData()) == MPG123_OK &&
      mpg123_getformat(h, &rate0, &ch0, &enc0) == MPG123_OK) {
    rate = rate0, ch = ch0, enc = enc0;
    unsigned char buf[16384];
    for (;;) {
      size_t done = 0;
      const int r = mpg123_read(h, buf, sizeof buf, &done);
      const bool same = rate == rate0 && ch == ch0 && enc == enc0;
      if (!opened_format_only || same) out.append(reinterpret_cast<const char*>(buf), int(done));
      if (r == MPG123_NEW_FORMAT) {
        mpg123_getformat(h, &rate, &ch, &enc);
        continue;
      }
      if (r != MPG123_OK) break;
    }
  }
  mpg123_delete(h);
  return out;
}
}  // namespace ov_test
