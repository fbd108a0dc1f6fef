#pragma once

#include <QString>
#include <QStringList>

#include <memory>

// What a music file holds, as far as reading its tags needs to know.
enum class ov_audio_kind { none, mpeg, flac, ogg_flac, ogg_opus, ogg_vorbis, mp4, wav };

// Turns one music file into signed 16-bit little-endian interleaved PCM at
// the file's own sample rate. Positions and seeks count sample frames of
// that rate. libmpg123 decodes files named .mp3 (mono stays mono); FFmpeg
// decodes FLAC, Ogg (Opus, Vorbis, FLAC), MP4 (AAC, ALAC) and WAV by content,
// always into two channels. A decoder is used by one thread at a time.
class ov_decoder {
public:
  struct read_result {
    int bytes = 0;       // whole sample frames
    bool ended = false;  // end of stream or a decoder error: nothing more will come
  };

  virtual ~ov_decoder() = default;

  // Opens a regular file (never a FIFO or a device) for decoding. Null when
  // it holds nothing to decode; *reason then says why, in the decoding
  // library's words where it has some.
  static std::unique_ptr<ov_decoder> open(const QString& path, QString* reason = nullptr);

  int rate() const { return rate_; }
  int channels() const { return channels_; }
  virtual ov_audio_kind kind() const = 0;

  // Decodes up to `bytes` bytes. A result of 0 bytes that has not ended
  // means "nothing this time, ask again".
  virtual read_result read(char* out, int bytes) = 0;
  // Moves to a sample frame; the next read starts there (an MP3 goes to the
  // start of the frame nearest to it).
  virtual void seek(qint64 sample) = 0;
  // The sample frame the next read starts at.
  virtual qint64 position() = 0;

  // Why the stream ended early, in the decoding library's words; empty after
  // a normal end.
  const QString& error() const { return error_; }

  // Sample frames from the current position to the end, decoded.
  qint64 count_to_end();

protected:
  int rate_ = 0;
  int channels_ = 0;
  QString error_;
};

// Whether a file is music: its decoder yields at least one sample within a
// bounded read (a few MB at most). fd: an open regular file, read from its
// start and left open.
struct ov_audio_probe {
  ov_audio_kind kind = ov_audio_kind::none;
  QString reason;  // why it is not music
  bool is_music() const { return kind != ov_audio_kind::none; }
};
ov_audio_probe ov_probe_audio(int fd, const QString& path);

// Files named like this go to libmpg123; every other music file to FFmpeg.
bool ov_is_mpeg_name(const QString& path);
// Name patterns of the files a directory is searched for ("*.mp3" first).
const QStringList& ov_music_name_filters();
