#include "ov_test_mp3.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>

#include <taglib/attachedpictureframe.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/textidentificationframe.h>

#include <cmath>

namespace ov_test {

QByteArray tone_pcm(const tone& t) {
  const qint64 frames = qint64(t.seconds * t.rate);
  QByteArray pcm(int(frames * t.channels * 2), Qt::Uninitialized);
  auto* out = reinterpret_cast<qint16*>(pcm.data());
  for (qint64 i = 0; i < frames; ++i) {
    const double v = t.amplitude * 32767.0 * std::sin(2.0 * M_PI * t.frequency * double(i) / t.rate);
    for (int c = 0; c < t.channels; ++c) *out++ = qint16(std::lround(v));
  }
  return pcm;
}

bool encode_mp3(const QString& path, const QByteArray& pcm, int rate, int channels, int bitrate,
                const QStringList& extra) {
  QProcess lame;
  QStringList args = {QStringLiteral("--quiet"),    QStringLiteral("-r"),
                      QStringLiteral("--signed"),   QStringLiteral("--little-endian"),
                      QStringLiteral("--bitwidth"), QStringLiteral("16"),
                      QStringLiteral("-s"),         QString::number(rate / 1000.0),
                      QStringLiteral("-m"),         channels == 1 ? QStringLiteral("m") : QStringLiteral("j"),
                      QStringLiteral("--cbr"),      QStringLiteral("-b"),
                      QString::number(bitrate)};
  args << extra << QStringLiteral("-") << path;
  lame.start(QStringLiteral("lame"), args);
  if (!lame.waitForStarted(10000)) return false;
  lame.write(pcm);
  lame.closeWriteChannel();
  if (!lame.waitForFinished(120000)) return false;
  return lame.exitStatus() == QProcess::NormalExit && lame.exitCode() == 0 && QFile::exists(path);
}

bool make_tone_mp3(const QString& path, const tone& t) {
  return encode_mp3(path, tone_pcm(t), t.rate, t.channels, t.bitrate);
}

namespace {
void set_text(TagLib::ID3v2::Tag* tag, const char* id, const QString& text) {
  if (text.isEmpty()) return;
  auto* frame = new TagLib::ID3v2::TextIdentificationFrame(id, TagLib::String::UTF8);
  frame->setText(TagLib::String(text.toUtf8().constData(), TagLib::String::UTF8));
  tag->removeFrames(id);
  tag->addFrame(frame);
}
}  // namespace

bool set_tags(const QString& path, const QString& title, const QString& album, const QString& artist, unsigned track) {
  TagLib::MPEG::File file(QFile::encodeName(path).constData());
  if (!file.isValid()) return false;
  TagLib::ID3v2::Tag* tag = file.ID3v2Tag(true);
  set_text(tag, "TIT2", title);
  set_text(tag, "TALB", album);
  set_text(tag, "TPE1", artist);
  if (track) set_text(tag, "TRCK", QString::number(track));
  return file.save(TagLib::MPEG::File::ID3v2);
}

bool add_picture(const QString& path, int type, const QByteArray& data, const QString& mime) {
  TagLib::MPEG::File file(QFile::encodeName(path).constData());
  if (!file.isValid()) return false;
  TagLib::ID3v2::Tag* tag = file.ID3v2Tag(true);
  auto* frame = new TagLib::ID3v2::AttachedPictureFrame;
  frame->setMimeType(TagLib::String(mime.toUtf8().constData(), TagLib::String::UTF8));
  frame->setType(static_cast<TagLib::ID3v2::AttachedPictureFrame::Type>(type));
  frame->setPicture(TagLib::ByteVector(data.constData(), static_cast<unsigned>(data.size())));
  tag->addFrame(frame);
  return file.save(TagLib::MPEG::File::ID3v2);
}

QByteArray png_of_at_least(int bytes, unsigned colour) {
  // Noise does not compress, so the PNG grows with the pixel count.
  QRandomGenerator gen(colour);
  for (int side = 8;; side += 4) {
    QImage img(side, side, QImage::Format_RGB32);
    for (int y = 0; y < side; ++y)
      for (int x = 0; x < side; ++x) img.setPixel(x, y, (gen.generate() & 0x3f3f3f) | colour);
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    if (out.size() >= bytes) return out;
  }
}

}  // namespace ov_test
