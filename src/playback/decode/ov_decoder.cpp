#include "ov_decoder.h"

#include "ov_ffmpeg_decoder.h"
#include "ov_mpeg_decoder.h"
#include "ov_mpeg_probe.h"
#include "ov_regular_file.h"

#include <unistd.h>

#include <vector>

namespace {
// The most a probe of a non-MP3 file reads: headers, a picture and the
// first frames fit; a file of junk is given up on after it.
constexpr qint64 probe_budget_bytes = 4 * 1024 * 1024;
}  // namespace

std::unique_ptr<ov_decoder> ov_decoder::open(const QString& path, QString* reason) {
  QString why;
  std::unique_ptr<ov_decoder> d;
  ov_regular_file file(path);
  if (!file.is_open())
    why = QStringLiteral("not a readable regular file: ") + file.reason();
  else if (ov_is_mpeg_name(path))
    d = ov_mpeg_decoder::open(file.release(), &why);
  else
    d = ov_ffmpeg_decoder::open(file.release(), 0, &why);
  if (!d && reason) *reason = why;
  return d;
}

qint64 ov_decoder::count_to_end() {
  std::vector<char> block(64 * 1024);
  qint64 frames = 0;
  for (;;) {
    const read_result r = read(block.data(), int(block.size()));
    frames += r.bytes / (2 * channels_);
    if (r.ended) return frames;
  }
}

ov_audio_probe ov_probe_audio(int fd, const QString& path) {
  ov_audio_probe p;
  if (ov_is_mpeg_name(path)) {
    if (ov_decodes_mpeg_audio(fd, &p.reason)) p.kind = ov_audio_kind::mpeg;
    return p;
  }
  const int own = ::dup(fd);
  if (own < 0) {
    p.reason = QStringLiteral("the file cannot be read");
    return p;
  }
  if (const auto d = ov_ffmpeg_decoder::open(own, probe_budget_bytes, &p.reason)) p.kind = d->kind();
  return p;
}

bool ov_is_mpeg_name(const QString& path) {
  return path.endsWith(QLatin1String(".mp3"), Qt::CaseInsensitive);
}

const QStringList& ov_music_name_filters() {
  // Not *.mp4: that is mostly video.
  static const QStringList filters = {QStringLiteral("*.mp3"), QStringLiteral("*.flac"), QStringLiteral("*.opus"),
                                      QStringLiteral("*.ogg"), QStringLiteral("*.oga"),  QStringLiteral("*.m4a"),
                                      QStringLiteral("*.wav")};
  return filters;
}
