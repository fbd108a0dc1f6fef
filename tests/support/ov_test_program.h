#pragma once

#include "ov_test_env.h"

#include <QByteArray>
#include <QProcess>
#include <QSize>
#include <QString>
#include <QStringList>

#include <memory>

// Running the real orvantis program from a test: an X server of the test's
// own, the program with its environment, and reading what it prints on
// stderr (the ORVANTIS_AUTOTEST notes).
namespace ov_test {

// Xvfb on the first free display from a number picked by the process id,
// so tests running side by side do not meet; stopped when it goes.
// display() is empty when Xvfb is missing or would not start.
class x_server {
public:
  explicit x_server(QSize screen = QSize(1280, 1024));
  ~x_server();
  x_server(const x_server&) = delete;
  x_server& operator=(const x_server&) = delete;

  const QString& display() const { return display_; }
  // Runs xdotool on this display; its standard output, trimmed.
  QString xdotool(const QStringList& args) const;

private:
  std::unique_ptr<QProcess> process_;
  QString display_;
};

// Starts the program with the arguments and environment; stderr is its read channel.
std::unique_ptr<QProcess> start_program(const QStringList& args, const QProcessEnvironment& env);
// Reads stderr into err until it holds marker count times; false when the
// program ended first or a minute passed.
bool wait_for(QProcess& p, QString& err, const QString& marker, int count = 1);
// Waits up to two minutes for the end: the exit code, -1 after a crash or
// while it still runs.
int run_to_end(QProcess& p, QString& err);

// The text of the one log file in home/log; empty unless there is exactly one.
QString log_text(const QString& home);

}  // namespace ov_test
