#include "ov_single_instance.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace {
QString base_name() {
  return QStringLiteral("Orvantis-%1").arg(::getuid());
}
QString dir_or_session(const QString& dir) {
  return dir.isEmpty() ? ov_single_instance::session_runtime_dir() : dir;
}
}  // namespace

ov_single_instance::ov_single_instance(const QString& runtime_dir)
    : lock_path_(dir_or_session(runtime_dir) + QLatin1Char('/') + base_name() + QStringLiteral(".lock")),
      socket_path_(dir_or_session(runtime_dir) + QLatin1Char('/') + base_name() + QStringLiteral(".socket")),
      lock_(lock_path_) {
  // Only a dead owner makes a lock stale; a long-running copy keeps it.
  lock_.setStaleLockTime(0);
}

ov_single_instance::~ov_single_instance() {
  stop_listening();
  if (lock_.isLocked()) lock_.unlock();
}

QString ov_single_instance::session_runtime_dir() {
  QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (dir.isEmpty()) dir = QDir::tempPath();
  return dir;
}

ov_single_instance::outcome ov_single_instance::acquire() {
  if (lock_.tryLock(0)) return sole_instance;
  return lock_.error() == QLockFile::LockFailedError ? another_running : lock_failed;
}

bool ov_single_instance::ask_running_to_raise() const {
  const QByteArray path = QFile::encodeName(socket_path_);
  sockaddr_un address{};
  if (path.size() >= static_cast<int>(sizeof(address.sun_path))) return false;
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.constData(), static_cast<size_t>(path.size()));
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  bool sent = false;
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0) {
    static const char request[] = "raise\n";
    sent = ::send(fd, request, sizeof(request) - 1, MSG_NOSIGNAL) == static_cast<ssize_t>(sizeof(request) - 1);
  }
  ::close(fd);
  return sent;
}

bool ov_single_instance::listen() {
  if (!lock_.isLocked()) return false;
  // We hold the lock, so a socket file still there is a crashed copy's.
  QLocalServer::removeServer(socket_path_);
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  connect(server_, &QLocalServer::newConnection, this, &ov_single_instance::islot_new_connection);
  return server_->listen(socket_path_);
}

void ov_single_instance::stop_listening() {
  delete server_;
  server_ = nullptr;
}

void ov_single_instance::islot_new_connection() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      if (socket->readAll().contains("raise")) emit esignal_raise_requested();
    });
  }
}
