#include "ov_ffmpeg_decoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <mutex>

namespace {
constexpr int io_buffer_bytes = 64 * 1024;
// Broken packets skipped one after another before the stream counts as ended.
constexpr int max_errors_in_a_row = 64;

QString error_text(int error) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(error, text, sizeof text);
  return QString::fromUtf8(text);
}

bool is_pcm(AVCodecID id) {
  switch (id) {
    case AV_CODEC_ID_PCM_U8:
    case AV_CODEC_ID_PCM_S16LE:
    case AV_CODEC_ID_PCM_S24LE:
    case AV_CODEC_ID_PCM_S32LE:
    case AV_CODEC_ID_PCM_F32LE:
    case AV_CODEC_ID_PCM_F64LE:
      return true;
    default:
      return false;
  }
}

// The demuxer for the first bytes of a file: the containers this decoder
// takes each start with their own mark, which spares FFmpeg trying every
// format it knows. A leading ID3v2 tag leaves the choice to FFmpeg's probe.
const AVInputFormat* container_of(int fd, bool* unknown) {
  unsigned char head[12] = {};
  *unknown = false;
  if (::pread(fd, head, sizeof head, 0) != ssize_t(sizeof head)) {
    *unknown = true;
    return nullptr;
  }
  const auto is = [&](int at, const char* mark) { return std::memcmp(head + at, mark, std::strlen(mark)) == 0; };
  if (is(0, "fLaC")) return av_find_input_format("flac");
  if (is(0, "OggS")) return av_find_input_format("ogg");
  if (is(0, "RIFF") && is(8, "WAVE")) return av_find_input_format("wav");
  if (is(4, "ftyp")) return av_find_input_format("mov");
  *unknown = !is(0, "ID3");
  return nullptr;
}

// The containers and codecs this decoder takes; anything else (an MP3 named
// .flac, a video) is not its business.
ov_audio_kind kind_of(const char* demuxer, AVCodecID codec) {
  const QByteArray name(demuxer);
  if (name == "flac" && codec == AV_CODEC_ID_FLAC) return ov_audio_kind::flac;
  if (name == "ogg" && codec == AV_CODEC_ID_FLAC) return ov_audio_kind::ogg_flac;
  if (name == "ogg" && codec == AV_CODEC_ID_OPUS) return ov_audio_kind::ogg_opus;
  if (name == "ogg" && codec == AV_CODEC_ID_VORBIS) return ov_audio_kind::ogg_vorbis;
  if (name.startsWith("mov,mp4,m4a") && (codec == AV_CODEC_ID_AAC || codec == AV_CODEC_ID_ALAC))
    return ov_audio_kind::mp4;
  if (name == "wav" && is_pcm(codec)) return ov_audio_kind::wav;
  return ov_audio_kind::none;
}
}  // namespace

std::unique_ptr<ov_ffmpeg_decoder> ov_ffmpeg_decoder::open(int fd, qint64 budget, QString* reason) {
  // FFmpeg's own messages would go to stderr; failures reach the log with
  // its error text.
  static std::once_flag quiet;
  std::call_once(quiet, [] { av_log_set_level(AV_LOG_QUIET); });
  std::unique_ptr<ov_ffmpeg_decoder> d(new ov_ffmpeg_decoder);
  d->fd_ = fd;
  d->budget_ = budget;
  if (!d->init(reason)) return nullptr;
  return d;
}

ov_ffmpeg_decoder::~ov_ffmpeg_decoder() {
  av_frame_free(&frame_);
  av_packet_free(&packet_);
  swr_free(&swr_);
  avcodec_free_context(&codec_);
  avformat_close_input(&format_);
  if (io_) av_freep(&io_->buffer);
  avio_context_free(&io_);
  if (fd_ >= 0) ::close(fd_);
}

int ov_ffmpeg_decoder::read_io(void* self, unsigned char* buffer, int bytes) {
  auto* d = static_cast<ov_ffmpeg_decoder*>(self);
  if (d->budget_ > 0) bytes = int(std::min<qint64>(bytes, d->budget_ - d->io_read_));
  if (bytes <= 0) return AVERROR_EOF;
  ssize_t got;
  do {
    got = ::pread(d->fd_, buffer, size_t(bytes), d->io_at_);
  } while (got < 0 && errno == EINTR);
  if (got < 0) return AVERROR(errno);
  if (got == 0) return AVERROR_EOF;
  d->io_at_ += got;
  d->io_read_ += got;
  return int(got);
}

int64_t ov_ffmpeg_decoder::seek_io(void* self, int64_t offset, int whence) {
  auto* d = static_cast<ov_ffmpeg_decoder*>(self);
  if (whence & AVSEEK_SIZE) return d->size_;
  whence &= ~AVSEEK_FORCE;
  qint64 target = offset;
  if (whence == SEEK_CUR) target = d->io_at_ + offset;
  if (whence == SEEK_END) target = d->size_ + offset;
  if (target < 0) return AVERROR(EINVAL);
  d->io_at_ = target;
  return target;
}

bool ov_ffmpeg_decoder::init(QString* reason) {
  struct stat st {};
  if (::fstat(fd_, &st) != 0) {
    *reason = QString::fromLocal8Bit(std::strerror(errno));
    return false;
  }
  size_ = st.st_size;
  auto* buffer = static_cast<unsigned char*>(av_malloc(io_buffer_bytes));
  io_ = avio_alloc_context(buffer, io_buffer_bytes, 0, this, &read_io, nullptr, &seek_io);
  format_ = avformat_alloc_context();
  packet_ = av_packet_alloc();
  frame_ = av_frame_alloc();
  if (!buffer || !io_ || !format_ || !packet_ || !frame_) {
    if (!io_) av_free(buffer);
    *reason = error_text(AVERROR(ENOMEM));
    return false;
  }
  return start(reason);
}

// Opens the container and the decoder and decodes the first samples: they
// show that the file decodes and where it starts.
bool ov_ffmpeg_decoder::start(QString* reason) {
  format_->pb = io_;
  format_->flags |= AVFMT_FLAG_CUSTOM_IO;
  // Content decides; no file name is given, so the name plays no part.
  bool unknown = false;
  const AVInputFormat* container = container_of(fd_, &unknown);
  if (unknown) {
    avformat_free_context(format_);
    format_ = nullptr;
    *reason = QStringLiteral("not a FLAC, Ogg, MP4 or WAV file");
    return false;
  }
  if (const int r = avformat_open_input(&format_, nullptr, container, nullptr); r < 0) {
    *reason = error_text(r);  // format_ is freed on failure
    return false;
  }
  // A probe only needs to see samples come out: it converts nothing.
  if (!open_stream(reason) || (budget_ == 0 && !make_converter(reason))) return false;
  if (!next_frame()) {
    *reason = error_.isEmpty() ? QStringLiteral("no samples decoded") : error_;
    return false;
  }
  return true;
}

// Decodes from the start again, exactly as the first time, dropping what
// comes before drop_until_.
bool ov_ffmpeg_decoder::restart() {
  swr_free(&swr_);
  avcodec_free_context(&codec_);
  avformat_close_input(&format_);
  format_ = avformat_alloc_context();
  if (!format_ || avio_seek(io_, 0, SEEK_SET) < 0) return false;
  stream_ = -1;
  have_origin_ = false;
  placed_ = true;
  decoded_end_ = 0;
  end_ = -1;
  input_ended_ = false;
  QString reason;
  return start(&reason);
}

bool ov_ffmpeg_decoder::open_stream(QString* reason) {
  // The first audio stream. (The stream information is not searched for, as
  // that decodes ahead; the decoder reads rate and channels from the headers.)
  for (unsigned i = 0; i < format_->nb_streams && stream_ < 0; ++i)
    if (format_->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_AUDIO) stream_ = int(i);
  if (stream_ < 0) {
    *reason = error_text(AVERROR_STREAM_NOT_FOUND);
    return false;
  }
  const AVStream* st = format_->streams[stream_];
  kind_ = kind_of(format_->iformat->name, st->codecpar->codec_id);
  if (kind_ == ov_audio_kind::none) {
    *reason = QStringLiteral("not a supported format: %1 %2")
                  .arg(QString::fromUtf8(format_->iformat->name),
                       QString::fromUtf8(avcodec_get_name(st->codecpar->codec_id)));
    return false;
  }
  const AVCodec* codec = avcodec_find_decoder(st->codecpar->codec_id);
  codec_ = avcodec_alloc_context3(codec);
  if (!codec || !codec_) {
    *reason = QStringLiteral("no decoder for ") + QString::fromUtf8(avcodec_get_name(st->codecpar->codec_id));
    return false;
  }
  int r = avcodec_parameters_to_context(codec_, st->codecpar);
  codec_->pkt_timebase = st->time_base;
  if (r >= 0) r = avcodec_open2(codec_, codec, nullptr);
  if (r < 0) {
    *reason = error_text(r);
    return false;
  }
  for (unsigned i = 0; i < format_->nb_streams; ++i)
    if (int(i) != stream_) format_->streams[i]->discard = AVDISCARD_ALL;
  rate_ = codec_->sample_rate;
  // MP4 states the music's length (its edit list); the last packet's padding
  // goes beyond it.
  if (kind_ == ov_audio_kind::mp4 && st->duration > 0 && rate_ > 0) end_ = to_samples(st->duration);
  channels_ = 2;
  in_channels_ = codec_->ch_layout.nb_channels;
  in_format_ = codec_->sample_fmt;
  if (rate_ <= 0 || in_channels_ <= 0) {
    *reason = QStringLiteral("no sample rate or channels");
    return false;
  }
  return true;
}

bool ov_ffmpeg_decoder::make_converter(QString* reason) {
  AVChannelLayout in{};
  if (codec_->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
    av_channel_layout_default(&in, in_channels_);
  else
    av_channel_layout_copy(&in, &codec_->ch_layout);
  AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
  int r =
      swr_alloc_set_opts2(&swr_, &stereo, AV_SAMPLE_FMT_S16, rate_, &in, AVSampleFormat(in_format_), rate_, 0, nullptr);
  av_channel_layout_uninit(&in);
  if (r >= 0) r = av_opt_set_int(swr_, "dither_method", SWR_DITHER_TRIANGULAR, 0);
  // Mono goes to both channels at full level (a plain mix would lower it by 3 dB).
  if (r >= 0 && in_channels_ == 1) {
    const double both[2] = {1.0, 1.0};
    r = swr_set_matrix(swr_, both, 1);
  }
  if (r >= 0) r = swr_init(swr_);
  if (r < 0) *reason = error_text(r);
  return r >= 0;
}

qint64 ov_ffmpeg_decoder::to_samples(qint64 ts) const {
  return av_rescale_q(ts, format_->streams[stream_]->time_base, AVRational{1, rate_});
}

bool ov_ffmpeg_decoder::tolerate(int error) {
  if (++errors_in_a_row_ <= max_errors_in_a_row) return true;
  error_ = error_text(error);
  return false;
}

bool ov_ffmpeg_decoder::next_frame() {
  if (!codec_) return false;  // a start over failed
  for (;;) {
    int r = avcodec_receive_frame(codec_, frame_);
    if (r == 0) {
      errors_in_a_row_ = 0;
      if (take_frame()) return true;
      continue;
    }
    if (r == AVERROR_EOF) return false;
    if (r != AVERROR(EAGAIN)) {
      if (!tolerate(r)) return false;
      continue;
    }
    if (input_ended_) return false;
    r = av_read_frame(format_, packet_);
    if (r < 0) {
      // The end of the file, or of what is left of a cut-off one: what the
      // decoder holds still plays.
      input_ended_ = true;
      avcodec_send_packet(codec_, nullptr);
      continue;
    }
    if (packet_->stream_index == stream_) {
      if (landed_at_start(packet_->pos)) {
        av_packet_unref(packet_);
        return restart();
      }
      r = avcodec_send_packet(codec_, packet_);
      if (r < 0 && !tolerate(r)) {
        av_packet_unref(packet_);
        return false;
      }
    }
    av_packet_unref(packet_);
  }
}

// Converts the decoded frame into pending_, without the samples before
// drop_until_. A stretch in another rate or layout is skipped.
bool ov_ffmpeg_decoder::take_frame() {
  const int n = frame_->nb_samples;
  const bool same =
      frame_->sample_rate == rate_ && frame_->ch_layout.nb_channels == in_channels_ && frame_->format == in_format_;
  qint64 start = decoded_end_;
  if (frame_->best_effort_timestamp != AV_NOPTS_VALUE) {
    const qint64 at = to_samples(frame_->best_effort_timestamp);
    if (!have_origin_) origin_ = at;
    start = at - origin_;
    placed_ = true;
  }
  have_origin_ = true;
  decoded_end_ = start + n;
  // After a seek, frames whose place is not known yet come before the target.
  // A sample is handed out once: after a seek some demuxers (Ogg) hand
  // over a stretch twice.
  const qint64 skip = std::clamp<qint64>(drop_until_ - start, 0, n);
  const qint64 keep = end_ >= 0 ? std::clamp<qint64>(end_ - start, 0, n) : n;
  if (!same || !placed_ || skip >= keep) {
    av_frame_unref(frame_);
    return false;
  }
  if (budget_ > 0 || !swr_) {  // a probe only counts frames that give samples
    av_frame_unref(frame_);
    return budget_ > 0;
  }
  pending_.resize(size_t(n) * 2);
  auto* out = reinterpret_cast<uint8_t*>(pending_.data());
  const int got = swr_convert(swr_, &out, n, const_cast<const uint8_t**>(frame_->extended_data), n);
  av_frame_unref(frame_);
  if (std::min<qint64>(got, keep) <= skip) {
    pending_.clear();
    pending_at_ = 0;
    return false;
  }
  pending_.resize(size_t(std::min<qint64>(got, keep)) * 2);
  pending_at_ = size_t(skip) * 2;
  position_ = start + skip;
  drop_until_ = start + std::min<qint64>(got, keep);
  return true;
}

ov_decoder::read_result ov_ffmpeg_decoder::read(char* out, int bytes) {
  const int wanted = bytes / 4;
  int done = 0;
  while (done < wanted) {
    if (pending_at_ >= pending_.size() && !next_frame()) return {done * 4, true};
    const int n = int(std::min<size_t>(size_t(wanted - done), (pending_.size() - pending_at_) / 2));
    std::memcpy(out + done * 4, pending_.data() + pending_at_, size_t(n) * 4);
    pending_at_ += size_t(n) * 2;
    position_ += n;
    done += n;
  }
  return {done * 4, false};
}

void ov_ffmpeg_decoder::seek(qint64 sample) {
  if (!codec_) return;  // a start over failed: the stream has ended for good
  const AVStream* st = format_->streams[stream_];
  const qint64 target = std::max<qint64>(0, sample);
  // Codecs whose output needs a run-in after a jump (Opus) start earlier.
  const qint64 from = std::max<qint64>(0, target - st->codecpar->seek_preroll);
  const qint64 ts = av_rescale_q(from + origin_, AVRational{1, rate_}, st->time_base);
  if (avformat_seek_file(format_, stream_, INT64_MIN, ts, ts, 0) < 0)
    av_seek_frame(format_, stream_, av_rescale_q(origin_, AVRational{1, rate_}, st->time_base), AVSEEK_FLAG_BACKWARD);
  avcodec_flush_buffers(codec_);
  pending_.clear();
  pending_at_ = 0;
  input_ended_ = false;
  errors_in_a_row_ = 0;
  error_.clear();
  drop_until_ = target;
  decoded_end_ = target;
  position_ = target;
  placed_ = false;
  first_after_seek_ = true;
}

// Whether a seek went back to the stream's first packet. Timestamps there
// can differ from the first reading's (Ogg gives the first pages of Vorbis
// other times after a seek, and the Opus pre-skip is not dropped again), so
// the decoding starts over instead.
bool ov_ffmpeg_decoder::landed_at_start(qint64 packet_pos) {
  if (first_packet_pos_ < 0) first_packet_pos_ = packet_pos;
  if (!first_after_seek_) return false;
  first_after_seek_ = false;
  return packet_pos >= 0 && packet_pos <= first_packet_pos_;
}
