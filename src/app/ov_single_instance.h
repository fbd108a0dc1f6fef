#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;

// One running copy per user session: a lock file in the runtime directory
// tells whether another copy runs, and a local socket beside it lets a
// second copy ask the first to show and raise its window.
//
// A lock left behind by a crashed copy is taken over: the lock file records
// the owner's process id and program name, and a lock whose process no
// longer exists (or now runs another program) counts as stale.
class ov_single_instance : public QObject {
  Q_OBJECT

public:
  enum outcome { sole_instance, another_running, lock_failed };

  // runtime_dir empty: the session's runtime directory.
  explicit ov_single_instance(const QString& runtime_dir = QString());
  ~ov_single_instance() override;

  outcome acquire();
  // Second copy: asks the running one to raise its window and to open the
  // given files and directories. Works without a Qt application object.
  // False when nobody answers.
  bool ask_running_to_raise(const QStringList& paths = {}) const;
  // First copy, once the application object exists: accept raise requests.
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

  QString lock_path_;
  QString socket_path_;
  QLockFile lock_;
  QLocalServer* server_ = nullptr;
};
