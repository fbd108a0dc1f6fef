#pragma once

#include <QString>

// Opening music files without ever blocking: a FIFO, a device or a link to
// one would block in open() or never end when read. The file is opened
// read-only and non-blocking, and kept only when it is a regular file (after
// following links); the descriptor then blocks as usual for reading.
class ov_regular_file {
public:
  explicit ov_regular_file(const QString& path);
  ~ov_regular_file();
  ov_regular_file(const ov_regular_file&) = delete;
  ov_regular_file& operator=(const ov_regular_file&) = delete;

  bool is_open() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  // Hands the descriptor over to a caller that closes it.
  int release();
  // True when the path exists but is no regular file (a FIFO, a device, a
  // directory); false when it could not be opened at all or is open.
  bool is_not_regular() const { return not_regular_; }
  // Why the file was refused ("not a regular file", or the system's message).
  const QString& reason() const { return reason_; }

  // True when the path names a regular file (after following links); does
  // not open it.
  static bool is_regular(const QString& path, QString* reason = nullptr);

private:
  int fd_ = -1;
  bool not_regular_ = false;
  QString reason_;
};
