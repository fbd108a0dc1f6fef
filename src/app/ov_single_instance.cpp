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
#include <memory>

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

QByteArray ov_single_instance::request_text(const QStringList& paths) {
  QByteArray text("raise\n");
  for (const QString& path : paths) text += "open " + QFile::encodeName(path).toPercentEncoding("/") + '\n';
  return text;
}

bool ov_single_instance::ask_running_to_raise(const QStringList& paths) const {
  const QByteArray path = QFile::encodeName(socket_path_);
  sockaddr_un address{};
  if (path.size() >= static_cast<int>(sizeof(address.sun_path))) return false;
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.constData(), static_cast<size_t>(path.size()));
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
