#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// MP3 fixtures made at test time: PCM synthesised here, encoded by the lame
// command-line encoder, tagged with TagLib.
namespace ov_test {

struct tone {
  double seconds = 1.0;
  int rate = 44100;
  int channels = 2;
  double frequency = 440.0;
  double amplitude = 0.5;  // of full scale
  int bitrate = 128;       // kbit/s, constant
};

// Interleaved signed 16-bit PCM of a sine tone.
QByteArray tone_pcm(const tone& t);
// Encodes PCM into an MP3 file (extra: more lame options); false when lame
// is missing or fails.
bool encode_mp3(const QString& path, const QByteArray& pcm, int rate, int channels, int bitrate = 128,
                const QStringList& extra = {});
bool make_tone_mp3(const QString& path, const tone& t = tone());

// Writes an ID3v2.4 tag with the given texts (empty ones left out).
bool set_tags(const QString& path, const QString& title, const QString& album, const QString& artist,
              unsigned track = 0);
// Appends an APIC frame of the given picture type (3 front cover, 0 other).
bool add_picture(const QString& path, int type, const QByteArray& data, const QString& mime = "image/png");
// A PNG of the given size in bytes or more (a noise image, solid colour c).
QByteArray png_of_at_least(int bytes, unsigned colour = 0xff3366);

}  // namespace ov_test
