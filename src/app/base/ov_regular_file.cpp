#include "ov_regular_file.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace {

QString kind_of(mode_t mode) {
  if (S_ISDIR(mode)) return QStringLiteral("not a regular file: a directory");
  if (S_ISFIFO(mode)) return QStringLiteral("not a regular file: a FIFO");
  if (S_ISCHR(mode) || S_ISBLK(mode)) return QStringLiteral("not a regular file: a device");
  if (S_ISSOCK(mode)) return QStringLiteral("not a regular file: a socket");
  return QStringLiteral("not a regular file");
}

}  // namespace

ov_regular_file::ov_regular_file(const QString& path) {
  const QByteArray name = QFile::encodeName(path);
  // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
  const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    reason_ = QString::fromLocal8Bit(std::strerror(errno));
    return;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    reason_ = QString::fromLocal8Bit(std::strerror(errno));
    ::close(fd);
    return;
  }
  if (!S_ISREG(st.st_mode)) {
    not_regular_ = true;
    reason_ = kind_of(st.st_mode);
    ::close(fd);
    return;
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  fd_ = fd;
}

ov_regular_file::~ov_regular_file() {
  if (fd_ >= 0) ::close(fd_);
}

int ov_regular_file::release() {
  const int fd = fd_;
  fd_ = -1;
  return fd;
}

bool ov_regular_file::is_regular(const QString& path, QString* reason) {
  struct stat st {};
  if (::stat(QFile::encodeName(path).constData(), &st) != 0) {
    if (reason) *reason = QString::fromLocal8Bit(std::strerror(errno));
    return false;
  }
  if (S_ISREG(st.st_mode)) return true;
  if (reason) *reason = kind_of(st.st_mode);
  return false;
}
