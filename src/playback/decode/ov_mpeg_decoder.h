#pragma once

#include "ov_decoder.h"

typedef struct mpg123_handle_struct mpg123_handle;

// libmpg123 over an open file. Output is libmpg123's own signed 16-bit
// samples in the stream's first format; a stretch it reports in another
// format (garbage or a stray frame mid-file) is skipped. Seeks go to whole
// frames (1152 samples, 576 at 24 kHz and below).
class ov_mpeg_decoder final : public ov_decoder {
public:
  // fd: an open regular file, owned from here on.
  static std::unique_ptr<ov_mpeg_decoder> open(int fd, QString* reason);
  ~ov_mpeg_decoder() override;

  ov_audio_kind kind() const override { return ov_audio_kind::mpeg; }
  read_result read(char* out, int bytes) override;
  void seek(qint64 sample) override;
  qint64 position() override;

private:
  ov_mpeg_decoder() = default;

  mpg123_handle* handle_ = nullptr;
  int fd_ = -1;  // libmpg123 leaves a descriptor it was given open
  int encoding_ = 0;
  int samples_per_frame_ = 1152;
  bool in_opened_format_ = true;  // the decoder's current output matches the first format
};
