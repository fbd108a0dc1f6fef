#pragma once

#include "ov_decoder.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>

// Tags of one music file: read from the file by TagLib when it is added, or
// taken back from the library row at start-up. Pictures are read on demand.
class ov_tag_data {
public:
  // Reads the file's tags; invalid when the path is not a regular file, the
  // file cannot be opened or tagged, or its decoder yields no sample.
  static ov_tag_data from_file(const QString& path);
  // The same reading on the calling thread alone, for any thread: the
  // warnings are handed back (for log_warnings) instead of written.
  static ov_tag_data from_file_quiet(const QString& path, QStringList* warnings);
  static void log_warnings(const QStringList& warnings);
  static ov_tag_data from_values(const QString& path, const QString& title, const QString& album, const QString& artist,
                                 quint32 track_number, int length);

  bool is_valid() const { return valid_; }
  const QString& file_path() const { return path_; }
  const QString& title() const { return title_; }
  const QString& album() const { return album_; }
  const QString& artist() const { return artist_; }
  quint32 track_number() const { return track_number_; }
  int length() const { return length_; }  // whole seconds
  QString length_text() const;            // "4:05", "60:00"
  // The chosen attached picture (front cover preferred), or a null image.
  QImage picture() const;

private:
  // Tags and length through TagLib over an already opened file.
  bool read_tags(int fd, ov_audio_kind kind, QStringList* warnings);

  bool valid_ = false;
  QString path_;
  QString title_;
  QString album_;
  QString artist_;
  quint32 track_number_ = 0;
  int length_ = 0;
};
