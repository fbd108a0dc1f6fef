#pragma once

#include "ov_decoder.h"

#include <cstdint>
#include <vector>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVIOContext;
struct AVPacket;
struct SwrContext;

// FFmpeg over an open file: FLAC, Ogg (Opus, Vorbis, FLAC), MP4 (AAC, ALAC)
// and WAV, told apart by content. Output is always stereo: mono is copied to
// both channels, more channels are mixed down by libswresample, and samples
// wider than 16 bits are dithered. Encoder delay and padding that the
// container states (Opus pre-skip, the MP4 edit list) are left out, so
// sample 0 is the music's first. Seeks are exact: the decoder starts at the
// seek point before the target and drops the samples up to it.
class ov_ffmpeg_decoder final : public ov_decoder {
public:
  // fd: an open regular file, owned from here on. budget: the most bytes
  // read from it (0: no limit); a decoder with a budget is a probe, which
  // only shows whether samples come out and cannot be read from.
  static std::unique_ptr<ov_ffmpeg_decoder> open(int fd, qint64 budget, QString* reason);
  ~ov_ffmpeg_decoder() override;

  ov_audio_kind kind() const override { return kind_; }
  read_result read(char* out, int bytes) override;
  void seek(qint64 sample) override;
  qint64 position() override { return position_; }

private:
  ov_ffmpeg_decoder() = default;
  bool init(QString* reason);
  bool open_stream(QString* reason);
  bool make_converter(QString* reason);
  // Decodes until a frame leaves samples in pending_; false at the end.
  bool next_frame();
  bool take_frame();
  bool tolerate(int error);
  bool landed_at_start(qint64 packet_pos);
  bool start(QString* reason);
  bool restart();
  qint64 to_samples(qint64 ts) const;

  static int read_io(void* self, unsigned char* buffer, int bytes);
  static int64_t seek_io(void* self, int64_t offset, int whence);

  int fd_ = -1;
  qint64 size_ = 0;
  qint64 budget_ = 0;
  qint64 io_at_ = 0;
  qint64 io_read_ = 0;

  AVIOContext* io_ = nullptr;
  AVFormatContext* format_ = nullptr;
  AVCodecContext* codec_ = nullptr;
  SwrContext* swr_ = nullptr;
  AVPacket* packet_ = nullptr;
  AVFrame* frame_ = nullptr;
  int stream_ = -1;
  int in_channels_ = 0;
  int in_format_ = -1;
  ov_audio_kind kind_ = ov_audio_kind::none;

  std::vector<qint16> pending_;  // converted samples not yet read
  size_t pending_at_ = 0;        // index into pending_
  qint64 position_ = 0;          // sample frame of pending_[pending_at_]
  qint64 decoded_end_ = 0;       // sample frame after the last decoded frame
  qint64 origin_ = 0;            // timestamp (in samples) of the first sample
  bool have_origin_ = false;
  qint64 drop_until_ = 0;  // samples before this are dropped (exact seeks)
  qint64 end_ = -1;        // samples from this on are dropped (end padding)
  bool placed_ = true;     // decoded frames have a known place
  bool first_after_seek_ = false;
  qint64 first_packet_pos_ = -1;  // file offset of the stream's first packet
  bool input_ended_ = false;      // the decoder was told that no packet follows
  int errors_in_a_row_ = 0;
};
