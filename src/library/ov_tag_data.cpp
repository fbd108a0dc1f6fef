#include "ov_tag_data.h"

#include "ov_log.h"
#include "ov_mpeg_probe.h"
#include "ov_regular_file.h"

#include <QFile>
#include <QFileInfo>

#include <taglib/attachedpictureframe.h>
#include <taglib/fileref.h>
#include <taglib/id3v2framefactory.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/tag.h>
#include <taglib/tfilestream.h>

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

// A file named .mp3 is read as MPEG whatever it holds, as TagLib does by
// name; other names go by content.
TagLib::FileRef file_ref_on(TagLib::FileStream* stream, const QString& path, TagLib::AudioProperties::ReadStyle style) {
  if (path.endsWith(QLatin1String(".mp3"), Qt::CaseInsensitive))
    return TagLib::FileRef(new TagLib::MPEG::File(stream, TagLib::ID3v2::FrameFactory::instance(), true, style));
  return TagLib::FileRef(stream, true, style);
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
  // A file is music when libmpg123 decodes a sample from it; TagLib opens
  // anything named .mp3, and scans a large file of junk to its end.
  if (!ov_decodes_mpeg_audio(file.fd())) {
    *warnings << QStringLiteral("Failed to find MPEG audio.  file=") + path;
    return d;
  }
  d.read_tags(file.fd(), warnings);
  return d;
}

bool ov_tag_data::read_tags(int fd, QStringList* warnings) {
  const int own = ::dup(fd);  // the stream closes its own descriptor
  if (own < 0) {
    *warnings << QStringLiteral("Failed to open file.  file=") + path_;
    return false;
  }
  ::lseek(own, 0, SEEK_SET);
  TagLib::FileStream stream(own, true);
  const TagLib::FileRef ref = file_ref_on(&stream, path_, TagLib::AudioProperties::Average);
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
  const int own = ::dup(file.fd());
  if (own < 0) return QImage();
  TagLib::FileStream stream(own, true);
  const TagLib::FileRef ref = file_ref_on(&stream, path_, TagLib::AudioProperties::Fast);
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
