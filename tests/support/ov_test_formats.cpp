#include "ov_test_formats.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryFile>

#include <taglib/attachedpictureframe.h>
#include <taglib/fileref.h>
#include <taglib/flacfile.h>
#include <taglib/id3v2tag.h>
#include <taglib/mp4file.h>
#include <taglib/oggfile.h>
#include <taglib/tag.h>
#include <taglib/wavfile.h>
#include <taglib/xiphcomment.h>

namespace ov_test {

const QList<audio_format>& audio_formats() {
  static const QList<audio_format> formats = {
      {"wav", ".wav", true},     {"flac", ".flac", true}, {"ogg flac", ".oga", true}, {"opus", ".opus", false},
      {"vorbis", ".ogg", false}, {"aac", ".m4a", false},  {"alac", ".m4a", true},
  };
  return formats;
}

namespace {
bool run(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForStarted(10000) || !p.waitForFinished(120000)) return false;
  return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

QStringList ffmpeg_raw_input(const QString& raw, int rate, int channels) {
  return {"-loglevel", "error", "-y", "-f", "s16le", "-ar", QString::number(rate), "-ac", QString::number(channels),
          "-i",        raw};
}
}  // namespace

bool encode_audio(const QString& format, const QString& path, const QByteArray& pcm, int rate, int channels) {
  QTemporaryFile raw;
  if (!raw.open() || raw.write(pcm) != pcm.size() || !raw.flush()) return false;
  const QString in = raw.fileName(), r = QString::number(rate), c = QString::number(channels);
  QFile::remove(path);
  if (format == "wav") return run("sox", {"-t", "raw", "-r", r, "-e", "signed", "-b", "16", "-c", c, in, path});
  if (format == "flac" || format == "ogg flac") {
    QStringList args = {"--silent",
                        "-f",
                        "--force-raw-format",
                        "--endian=little",
                        "--sign=signed",
                        "--channels=" + c,
                        "--bps=16",
                        "--sample-rate=" + r,
                        "-o",
                        path,
                        in};
    if (format == "ogg flac") args.prepend("--ogg");
    return run("flac", args);
  }
  if (format == "opus")
    return run("opusenc", {"--quiet", "--raw", "--raw-rate", r, "--raw-chan", c, "--raw-bits", "16", in, path});
  if (format == "vorbis")
    return run("oggenc", {"--quiet", "--raw", "--raw-rate=" + r, "--raw-chan=" + c, "-o", path, in});
  // The index goes first, as music files have it, so a cut-off file still opens.
  if (format == "aac" || format == "alac")
    return run("ffmpeg",
               ffmpeg_raw_input(in, rate, channels) + QStringList{"-c:a", format, "-movflags", "+faststart", path});
  return false;
}

bool set_common_tags(const QString& path, const QString& title, const QString& album, const QString& artist,
                     unsigned track) {
  TagLib::FileRef ref(QFile::encodeName(path).constData());
  if (ref.isNull() || !ref.tag()) return false;
  auto text = [](const QString& s) { return TagLib::String(s.toUtf8().constData(), TagLib::String::UTF8); };
  ref.tag()->setTitle(text(title));
  ref.tag()->setAlbum(text(album));
  ref.tag()->setArtist(text(artist));
  ref.tag()->setTrack(track);
  return ref.save();
}

bool add_any_picture(const QString& path, int type, const QByteArray& png) {
  const TagLib::ByteVector data(png.constData(), unsigned(png.size()));
  TagLib::FileRef ref(QFile::encodeName(path).constData());
  if (ref.isNull()) return false;
  auto flac_picture = [&] {
    auto* p = new TagLib::FLAC::Picture;
    p->setType(TagLib::FLAC::Picture::Type(type));
    p->setMimeType("image/png");
    p->setData(data);
    return p;
  };
  if (auto* flac = dynamic_cast<TagLib::FLAC::File*>(ref.file())) {
    flac->addPicture(flac_picture());
  } else if (auto* xiph = dynamic_cast<TagLib::Ogg::XiphComment*>(ref.file()->tag())) {
    xiph->addPicture(flac_picture());
  } else if (auto* mp4 = dynamic_cast<TagLib::MP4::File*>(ref.file())) {
    TagLib::MP4::CoverArtList covers;
    if (mp4->tag()->contains("covr")) covers = mp4->tag()->item("covr").toCoverArtList();
    covers.append(TagLib::MP4::CoverArt(TagLib::MP4::CoverArt::PNG, data));
    mp4->tag()->setItem("covr", covers);
  } else if (auto* wav = dynamic_cast<TagLib::RIFF::WAV::File*>(ref.file())) {
    auto* frame = new TagLib::ID3v2::AttachedPictureFrame;
    frame->setType(TagLib::ID3v2::AttachedPictureFrame::Type(type));
    frame->setMimeType("image/png");
    frame->setPicture(data);
    wav->ID3v2Tag()->addFrame(frame);
  } else {
    return false;
  }
  return ref.save();
}

}  // namespace ov_test
