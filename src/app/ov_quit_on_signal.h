#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a queued Qt signal, so that a session
// logout or a kill closes the window the normal way (and its data is saved)
// instead of ending the process on the spot.
//
// The handlers are installed at construction, before the application object
// exists; a signal that arrives then is only remembered (requested()), and
// start-up looks at it between its steps. attach() starts delivering the Qt
// signal once an event loop can run. A second signal while the first is
// being handled ends the process at once, in case the close got stuck.
class ov_quit_on_signal : public QObject {
  Q_OBJECT

public:
  explicit ov_quit_on_signal(QObject* parent = nullptr);
  ~ov_quit_on_signal() override;

  // Needs the application object; emits at once when a signal came before.
  void attach();
  // Whether a termination signal has arrived.
  static bool requested();

signals:
  void esignal_quit_requested();

private:
  static void handler(int signal_number);

  QSocketNotifier* notifier_ = nullptr;
};
