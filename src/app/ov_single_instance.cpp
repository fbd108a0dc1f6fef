#include "ov_single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <memory>
#include <thread>

namespace {
// The user and the data directory: two spellings of one directory give one name.
QString base_name(const QString& data_dir) {
  const QString canonical = QFileInfo(data_dir).canonicalFilePath();
  const QByteArray key = QFile::encodeName(canonical.isEmpty() ? QDir::cleanPath(data_dir) : canonical);
  const QByteArray hash = QCryptographicHash::hash(key, QCryptographicHash::Md5).toHex().left(16);
  return QStringLiteral("Orvantis-%1-%2").arg(::getuid()).arg(QString::fromLatin1(hash));
}
QString dir_or_session(const QString& dir) {
  return dir.isEmpty() ? ov_single_instance::session_runtime_dir() : dir;
}
bool socket_address(const QString& path, sockaddr_un* address) {
  const QByteArray bytes = QFile::encodeName(path);
  *address = sockaddr_un{};
  if (bytes.size() >= static_cast<int>(sizeof(address->sun_path))) return false;
  address->sun_family = AF_UNIX;
  std::memcpy(address->sun_path, bytes.constData(), static_cast<size_t>(bytes.size()));
  return true;
}
}  // namespace

ov_single_instance::ov_single_instance(const QString& data_dir, const QString& runtime_dir)
    : lock_path_(dir_or_session(runtime_dir) + QLatin1Char('/') + base_name(data_dir) + QStringLiteral(".lock")),
      socket_path_(dir_or_session(runtime_dir) + QLatin1Char('/') + base_name(data_dir) + QStringLiteral(".socket")),
      lock_(lock_path_) {
  // Only a dead owner makes a lock stale; a long-running copy keeps it.
  lock_.setStaleLockTime(0);
}

ov_single_instance::~ov_single_instance() {
  stop_listening();
  if (socket_fd_ >= 0) {
    // Never handed to the server, which would have removed the file.
    ::close(socket_fd_);
    ::unlink(QFile::encodeName(socket_path_).constData());
  }
  if (lock_.isLocked()) lock_.unlock();
}

QString ov_single_instance::session_runtime_dir() {
  QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (dir.isEmpty()) dir = QDir::tempPath();
  return dir;
}

ov_single_instance::outcome ov_single_instance::acquire() {
  if (!lock_.tryLock(0)) return lock_.error() == QLockFile::LockFailedError ? another_running : lock_failed;
  socket_fd_ = bind_socket();
  return sole_instance;
}

int ov_single_instance::bind_socket() const {
  sockaddr_un address;
  if (!socket_address(socket_path_, &address)) return -1;
  // We hold the lock, so a socket file still there is a crashed copy's.
  ::unlink(address.sun_path);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  // Only this user may connect (the directory is usually private as well).
  const mode_t old_mask = ::umask(0077);
  const bool bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
  ::umask(old_mask);
  if (!bound || ::listen(fd, SOMAXCONN) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

QByteArray ov_single_instance::request_text(const QStringList& paths) {
  QByteArray text("raise\n");
  for (const QString& path : paths) text += "open " + QFile::encodeName(path).toPercentEncoding("/") + '\n';
  return text;
}

bool ov_single_instance::ask_running_to_raise(const QStringList& paths) const {
  sockaddr_un address;
  if (!socket_address(socket_path_, &address)) return false;
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  bool sent = false;
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0) {
    const QByteArray request = request_text(paths);
    qsizetype done = 0;
    while (done < request.size()) {
      const ssize_t n =
          ::send(fd, request.constData() + done, static_cast<size_t>(request.size() - done), MSG_NOSIGNAL);
      if (n <= 0) break;
      done += n;
    }
    sent = done == request.size();
  }
  ::close(fd);
  return sent;
}

bool ov_single_instance::hand_over(const QStringList& paths, int patience_ms) const {
  constexpr int pause_ms = 50;
  for (int waited = 0;; waited += pause_ms) {
    if (ask_running_to_raise(paths)) return true;
    if (waited >= patience_ms) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(pause_ms));
  }
}

bool ov_single_instance::listen() {
  if (!lock_.isLocked() || server_) return false;
  server_ = new QLocalServer(this);
  connect(server_, &QLocalServer::newConnection, this, &ov_single_instance::islot_new_connection);
  if (socket_fd_ >= 0) {
    // The server takes the socket over, with the connections queued on it.
    const bool listening = server_->listen(qintptr(socket_fd_));
    if (listening) socket_fd_ = -1;
    return listening;
  }
  QLocalServer::removeServer(socket_path_);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  return server_->listen(socket_path_);
}

void ov_single_instance::stop_listening() {
  delete server_;
  server_ = nullptr;
}

// A request is "raise" and then one "open PATH" line per path (percent-
// encoded); the paths are handed on once the sender has closed.
void ov_single_instance::islot_new_connection() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    auto buffer = std::make_shared<QByteArray>();
    connect(socket, &QLocalSocket::readyRead, this, [socket, buffer] { *buffer += socket->readAll(); });
    connect(socket, &QLocalSocket::disconnected, this, [this, socket, buffer] {
      *buffer += socket->readAll();
      socket->deleteLater();
      QStringList paths;
      bool raise = false;
      for (const QByteArray& line : buffer->split('\n')) {
        if (line == "raise")
          raise = true;
        else if (line.startsWith("open "))
          paths << QFile::decodeName(QByteArray::fromPercentEncoding(line.mid(5)));
      }
      if (raise) emit esignal_raise_requested();
      if (!paths.isEmpty()) emit esignal_open_requested(paths);
    });
  }
}
