#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Music files of every format the player takes, made at test time from PCM
// by the command-line encoders (sox, flac, opusenc, oggenc, ffmpeg) and
// tagged with TagLib.
namespace ov_test {

struct audio_format {
  const char* name;       // row name
  const char* extension;  // with the dot
  bool lossless;          // decodes back to the very samples encoded
};

// WAV, FLAC, FLAC in Ogg, Opus, Vorbis, AAC in MP4, ALAC in MP4.
const QList<audio_format>& audio_formats();

// Encodes interleaved signed 16-bit PCM into a file of the named format;
// false when the encoder is missing or fails.
bool encode_audio(const QString& format, const QString& path, const QByteArray& pcm, int rate, int channels);

// Title, album, artist and track number through TagLib's common tag.
bool set_common_tags(const QString& path, const QString& title, const QString& album, const QString& artist,
                     unsigned track);
// Adds a picture in the container's own way (FLAC PICTURE block, Ogg
// METADATA_BLOCK_PICTURE, MP4 covr, ID3v2 APIC in WAV). MP4 has no
// picture types: type is ignored there.
bool add_any_picture(const QString& path, int type, const QByteArray& png);

}  // namespace ov_test
