#include "ov_tag_data.h"

#include "ov_log.h"
#include "ov_mpeg_probe.h"

#include <QFile>

#include <taglib/attachedpictureframe.h>
#include <taglib/fileref.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/tag.h>

namespace {

const QString reading_tags = QStringLiteral("reading tags");

QString text_of(const TagLib::String& s) {
  return QString::fromUtf8(s.toCString(true));
}

constexpr unsigned min_picture_bytes = 1024;
// Enough for the largest frames, an encoder's info frame and some junk.
constexpr unsigned long probe_bytes = 16384;

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
  const TagLib::FileRef ref(QFile::encodeName(path).constData(), true, TagLib::AudioProperties::Average);
  if (ref.isNull()) {
    *warnings << QStringLiteral("Failed to open file.  file=") + path;
    return d;
  }
  const TagLib::Tag* tag = ref.tag();
  if (!tag) {
    *warnings << QStringLiteral("Failed to read tag data.  file=") + path;
    return d;
  }
  // A file holding only tags (or zeros, or a cut-off frame) would become a
  // track that can never play.
  if (!has_audio(ref.file(), path)) {
    *warnings << QStringLiteral("Failed to find MPEG audio.  file=") + path;
    return d;
  }

  d.title_ = text_of(tag->title());
  d.artist_ = text_of(tag->artist());
  d.album_ = text_of(tag->album());
  d.track_number_ = tag->track();
  d.length_ = 0;
  if (const TagLib::AudioProperties* props = ref.audioProperties()) d.length_ = props->lengthInSeconds();
  d.valid_ = true;
  return d;
}

bool ov_tag_data::has_audio(TagLib::File* file, const QString& path) {
  auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(file);
  if (!mpeg) return ov_has_mpeg_audio(path);
  // TagLib has found where the frames begin; libmpg123 checks the bytes from
  // there, already in the page cache, without opening the file again.
  const long first = mpeg->firstFrameOffset();
  if (first < 0) return false;
  mpeg->seek(first);
  const TagLib::ByteVector head = mpeg->readBlock(probe_bytes);
  return ov_has_mpeg_audio_data(QByteArray::fromRawData(head.data(), int(head.size())));
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
  const TagLib::FileRef ref(QFile::encodeName(path_).constData(), true, TagLib::AudioProperties::Fast);
  if (ref.isNull()) return QImage();
  auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(ref.file());
  // hasID3v2Tag(): ID3v2Tag() would hand back an empty tag for an untagged file.
  if (!mpeg || !mpeg->hasID3v2Tag()) return QImage();
  const TagLib::ID3v2::FrameListMap& frames = mpeg->ID3v2Tag()->frameListMap();
  const auto apic = frames.find("APIC");
  if (apic == frames.end() || apic->second.isEmpty()) return QImage();

  const TagLib::ID3v2::AttachedPictureFrame* chosen = nullptr;
  for (const TagLib::ID3v2::Frame* frame : apic->second) {
    const auto* pic = dynamic_cast<const TagLib::ID3v2::AttachedPictureFrame*>(frame);
    if (!pic || pic->picture().size() <= min_picture_bytes) continue;
    if (pic->type() == TagLib::ID3v2::AttachedPictureFrame::FrontCover)
      chosen = pic;
    else if (pic->type() == TagLib::ID3v2::AttachedPictureFrame::Other && !chosen)
      chosen = pic;
  }
  if (!chosen) return QImage();
  const TagLib::ByteVector data = chosen->picture();
  return QImage::fromData(QByteArray::fromRawData(data.data(), int(data.size())));
}
