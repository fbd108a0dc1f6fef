#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;

// One running copy per data directory: a lock file in the runtime directory,
// named after the user and the data directory, tells whether another copy
// works in the same directory, and a local socket beside it lets a second
// copy hand its files to the first and ask it to raise its window. Copies
// with different data directories run side by side.
//
// The socket listens as soon as the lock is taken, so a second copy started
// during the first one's start-up is queued by the system rather than
// refused; the first copy reads the queue once its event loop runs.
//
// A lock left behind by a crashed copy is taken over: the lock file records
// the owner's process id and program name, and a lock whose process no
// longer exists (or now runs another program) counts as stale.
class ov_single_instance : public QObject {
  Q_OBJECT

public:
  enum outcome { sole_instance, another_running, lock_failed };

  // runtime_dir empty: the session's runtime directory.
  explicit ov_single_instance(const QString& data_dir, const QString& runtime_dir = QString());
  ~ov_single_instance() override;

  // Takes the lock; the sole instance also starts listening at once.
  outcome acquire();
  // Second copy: asks the running one to raise its window and to open the
  // given files and directories, once. Works without a Qt application
  // object. False when nobody answers.
  bool ask_running_to_raise(const QStringList& paths = {}) const;
  // ask_running_to_raise, tried again for up to patience_ms while the
  // running copy is still starting. False when it never answered.
  bool hand_over(const QStringList& paths, int patience_ms) const;
  // First copy, once the application object exists: requests (also those
  // queued since acquire) arrive as signals through the event loop.
  bool listen();
  // Closes the socket; call before the application object goes away.
  void stop_listening();

  const QString& lock_path() const { return lock_path_; }
  const QString& socket_path() const { return socket_path_; }
  static QString session_runtime_dir();

signals:
  void esignal_raise_requested();
  void esignal_open_requested(const QStringList& paths);

private slots:
  void islot_new_connection();

private:
  static QByteArray request_text(const QStringList& paths);
  // Binds and listens on the socket path without an event loop; -1 on failure.
  int bind_socket() const;

  QString lock_path_;
  QString socket_path_;
  QLockFile lock_;
  int socket_fd_ = -1;  // listening before listen() hands it to the server
  QLocalServer* server_ = nullptr;
};
