#include "ov_tag_data.h"

#include "ov_decoder.h"
#include "ov_log.h"
#include "ov_regular_file.h"

#include <QFile>
#include <QFileInfo>

#include <taglib/attachedpictureframe.h>
#include <taglib/fileref.h>
#include <taglib/flacfile.h>
#include <taglib/id3v2framefactory.h>
#include <taglib/id3v2tag.h>
#include <taglib/mp4file.h>
#include <taglib/mpegfile.h>
#include <taglib/oggflacfile.h>
#include <taglib/opusfile.h>
#include <taglib/tag.h>
#include <taglib/tfilestream.h>
#include <taglib/vorbisfile.h>
#include <taglib/wavfile.h>

#include <unistd.h>

namespace {

const QString reading_tags = QStringLiteral("reading tags");

QString text_of(const TagLib::String& s) {
  return QString::fromUtf8(s.toCString(true));
}

constexpr unsigned min_picture_bytes = 1024;
// Whether TagLib would open a file of this name at all: it goes by the
// file name's extension.
bool taglib_reads_name(const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  return !suffix.isEmpty() && TagLib::FileRef::defaultFileExtensions().contains(TagLib::String(suffix.toStdString()));
}

// The TagLib file for what the decoder found in the file: a file named .mp3
// is read as MPEG whatever it holds (as TagLib does by name), the others by
// their content, so an .ogg holding FLAC is read as Ogg FLAC.
TagLib::FileRef file_ref_on(TagLib::FileStream* stream, ov_audio_kind kind, TagLib::AudioProperties::ReadStyle style) {
  switch (kind) {
    case ov_audio_kind::mpeg:
      return TagLib::FileRef(new TagLib::MPEG::File(stream, TagLib::ID3v2::FrameFactory::instance(), true, style));
    case ov_audio_kind::flac:
      return TagLib::FileRef(new TagLib::FLAC::File(stream, TagLib::ID3v2::FrameFactory::instance(), true, style));
    case ov_audio_kind::ogg_flac:
      return TagLib::FileRef(new TagLib::Ogg::FLAC::File(stream, true, style));
    case ov_audio_kind::ogg_opus:
      return TagLib::FileRef(new TagLib::Ogg::Opus::File(stream, true, style));
    case ov_audio_kind::ogg_vorbis:
      return TagLib::FileRef(new TagLib::Ogg::Vorbis::File(stream, true, style));
    case ov_audio_kind::mp4:
      return TagLib::FileRef(new TagLib::MP4::File(stream, true, style));
    case ov_audio_kind::wav:
      return TagLib::FileRef(new TagLib::RIFF::WAV::File(stream, true, style));
    case ov_audio_kind::none:
      break;
  }
  return TagLib::FileRef();
}

// Picks the picture to show: only pictures over min_picture_bytes count; a
// front cover replaces an earlier choice, an "other" picture is taken only
// when nothing was chosen yet.
class picture_choice {
public:
  enum type { other = 0, front_cover = 3 };
  void offer(int picture_type, const TagLib::ByteVector& data) {
    if (data.size() <= min_picture_bytes) return;
    if (picture_type == front_cover || (picture_type == other && !chosen_)) {
      data_ = data;
      chosen_ = true;
    }
  }
  void offer_id3v2(const TagLib::ID3v2::Tag* tag) {
    const TagLib::ID3v2::FrameListMap& frames = tag->frameListMap();
    const auto apic = frames.find("APIC");
    if (apic == frames.end()) return;
    for (const TagLib::ID3v2::Frame* frame : apic->second)
      if (const auto* pic = dynamic_cast<const TagLib::ID3v2::AttachedPictureFrame*>(frame))
        offer(pic->type(), pic->picture());
  }
  void offer_flac(const TagLib::List<TagLib::FLAC::Picture*>& pictures) {
    for (const TagLib::FLAC::Picture* pic : pictures) offer(pic->type(), pic->data());
  }
  QImage image() const {
    if (!chosen_) return QImage();
    return QImage::fromData(QByteArray::fromRawData(data_.data(), int(data_.size())));
  }

private:
  TagLib::ByteVector data_;
  bool chosen_ = false;
};

// Every picture a file holds, in the order the file holds them: ID3v2 APIC
// frames (MP3, WAV), FLAC PICTURE blocks, METADATA_BLOCK_PICTURE comments
// in Ogg, and MP4 "covr" atoms (which carry no type and count as covers).
void offer_pictures(TagLib::File* file, picture_choice* choice) {
  // hasID3v2Tag(): ID3v2Tag() would hand back an empty tag for an untagged file.
  if (auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(file)) {
    if (mpeg->hasID3v2Tag()) choice->offer_id3v2(mpeg->ID3v2Tag());
  } else if (auto* wav = dynamic_cast<TagLib::RIFF::WAV::File*>(file)) {
    if (wav->hasID3v2Tag()) choice->offer_id3v2(wav->ID3v2Tag());
  } else if (auto* flac = dynamic_cast<TagLib::FLAC::File*>(file)) {
    choice->offer_flac(flac->pictureList());
  } else if (auto* xiph = dynamic_cast<TagLib::Ogg::XiphComment*>(file->tag())) {
    choice->offer_flac(xiph->pictureList());
  } else if (auto* mp4 = dynamic_cast<TagLib::MP4::File*>(file)) {
    if (mp4->hasMP4Tag() && mp4->tag()->contains("covr"))
      for (const TagLib::MP4::CoverArt& art : mp4->tag()->item("covr").toCoverArtList())
        choice->offer(picture_choice::front_cover, art.data());
  }
}

}  // namespace

ov_tag_data ov_tag_data::from_file(const QString& path) {
  QStringList warnings;
  const ov_tag_data d = from_file_quiet(path, &warnings);
  log_warnings(warnings);
  return d;
}

void ov_tag_data::log_warnings(const QStringList& warnings) {
  for (const QString& w : warnings) ov_log_write(ov_log::WARNING, reading_tags, w);
}

ov_tag_data ov_tag_data::from_file_quiet(const QString& path, QStringList* warnings) {
  ov_tag_data d;
  d.path_ = path;
  // Nothing but a regular file is opened for reading: a FIFO would block and
  // a link to a device would never end.
  const ov_regular_file file(path);
  if (file.is_not_regular()) {
    *warnings << QStringLiteral("Refused a path that is not a regular file (") + file.reason() +
                     QStringLiteral(").  file=") + path;
    return d;
  }
  if (!file.is_open() || !taglib_reads_name(path)) {
    *warnings << QStringLiteral("Failed to open file.  file=") + path;
    return d;
  }
  // A file is music when its decoder yields a sample; TagLib opens anything
  // named .mp3, and scans a large file of junk to its end.
  const ov_audio_probe probe = ov_probe_audio(file.fd(), path);
  if (!probe.is_music()) {
    *warnings << (ov_is_mpeg_name(path)
                      ? QStringLiteral("Failed to find MPEG audio.  file=") + path
                      : QStringLiteral("Failed to decode audio (") + probe.reason + QStringLiteral(").  file=") + path);
    return d;
  }
  d.read_tags(file.fd(), probe.kind, warnings);
  return d;
}

bool ov_tag_data::read_tags(int fd, ov_audio_kind kind, QStringList* warnings) {
  const int own = ::dup(fd);  // the stream closes its own descriptor
  if (own < 0) {
    *warnings << QStringLiteral("Failed to open file.  file=") + path_;
    return false;
  }
  ::lseek(own, 0, SEEK_SET);
  TagLib::FileStream stream(own, true);
  const TagLib::FileRef ref = file_ref_on(&stream, kind, TagLib::AudioProperties::Average);
  if (ref.isNull()) {
    *warnings << QStringLiteral("Failed to open file.  file=") + path_;
    return false;
  }
  const TagLib::Tag* tag = ref.tag();
  if (!tag) {
    *warnings << QStringLiteral("Failed to read tag data.  file=") + path_;
    return false;
  }
  title_ = text_of(tag->title());
  artist_ = text_of(tag->artist());
  album_ = text_of(tag->album());
  track_number_ = tag->track();
  length_ = 0;
  if (const TagLib::AudioProperties* props = ref.audioProperties()) length_ = props->lengthInSeconds();
  // A container that does not state its length (a FLAC stream written on the
  // fly): the decoded samples tell it.
  if (length_ <= 0 && kind != ov_audio_kind::mpeg)
    if (const auto decoder = ov_decoder::open(path_)) length_ = int(decoder->count_to_end() / decoder->rate());
  valid_ = true;
  return true;
}

ov_tag_data ov_tag_data::from_values(const QString& path, const QString& title, const QString& album,
                                     const QString& artist, quint32 track_number, int length) {
  ov_tag_data d;
  d.valid_ = true;
  d.path_ = path;
  d.title_ = title;
  d.album_ = album;
  d.artist_ = artist;
  d.track_number_ = track_number;
  d.length_ = length;
  return d;
}

QString ov_tag_data::length_text() const {
  const int s = length_ > 0 ? length_ : 0;  // a damaged row may hold a negative length
  return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

QImage ov_tag_data::picture() const {
  const ov_regular_file file(path_);
  if (!file.is_open()) return QImage();
  // A file named .mp3 is read as MPEG whether or not it holds audio.
  const ov_audio_kind kind = ov_is_mpeg_name(path_) ? ov_audio_kind::mpeg : ov_probe_audio(file.fd(), path_).kind;
  const int own = ::dup(file.fd());
  if (own < 0) return QImage();
  ::lseek(own, 0, SEEK_SET);
  TagLib::FileStream stream(own, true);
  const TagLib::FileRef ref = file_ref_on(&stream, kind, TagLib::AudioProperties::Fast);
  if (ref.isNull()) return QImage();
  picture_choice choice;
  offer_pictures(ref.file(), &choice);
  return choice.image();
}
