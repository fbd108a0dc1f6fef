#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a queued Qt signal, so that a session
// logout or a kill closes the window the normal way (and its data is saved)
// instead of ending the process on the spot.
class ov_quit_on_signal : public QObject {
  Q_OBJECT

public:
  explicit ov_quit_on_signal(QObject* parent = nullptr);
  ~ov_quit_on_signal() override;

signals:
  void esignal_quit_requested();

private:
  static void handler(int signal_number);

  QSocketNotifier* notifier_ = nullptr;
};
