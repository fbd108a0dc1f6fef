#include "ov_test_program.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

namespace ov_test {

x_server::x_server(QSize screen) {
  if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()) return;
  const QString geometry = QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height());
  for (int n = 100 + int(QCoreApplication::applicationPid() % 500); n < 700; ++n) {
    if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n))) continue;
    process_ = std::make_unique<QProcess>();
    process_->start(QStringLiteral("Xvfb"),
                    {QStringLiteral(":%1").arg(n), QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                     QStringLiteral("-screen"), QStringLiteral("0"), geometry});
    process_->waitForStarted(10000);
    for (int i = 0; i < 100 && process_->state() == QProcess::Running; ++i) {
      if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n))) {
        display_ = QStringLiteral(":%1").arg(n);
        return;
      }
      QThread::msleep(50);
    }
    process_->kill();
    process_->waitForFinished();
  }
  process_.reset();
}

x_server::~x_server() {
  if (!process_) return;
  process_->terminate();
  if (!process_->waitForFinished(5000)) {
    process_->kill();
    process_->waitForFinished();
  }
}

QString x_server::xdotool(const QStringList& args) const {
  QProcess p;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("DISPLAY"), display_);
  p.setProcessEnvironment(env);
  p.start(QStringLiteral("xdotool"), args);
  p.waitForFinished(10000);
  return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

std::unique_ptr<QProcess> start_program(const QStringList& args, const QProcessEnvironment& env) {
  auto p = std::make_unique<QProcess>();
  p->setProcessEnvironment(env);
  p->setProcessChannelMode(QProcess::SeparateChannels);
  p->setReadChannel(QProcess::StandardError);
  p->start(orvantis_binary(), args);
  return p;
}

bool wait_for(QProcess& p, QString& err, const QString& marker, int count) {
  QElapsedTimer t;
  t.start();
  while (err.count(marker) < count && t.elapsed() < 60000) {
    if (p.state() == QProcess::NotRunning) break;
    p.waitForReadyRead(200);
    err += QString::fromUtf8(p.readAllStandardError());
  }
  err += QString::fromUtf8(p.readAllStandardError());
  return err.count(marker) >= count;
}

int run_to_end(QProcess& p, QString& err) {
  p.waitForFinished(120000);
  err += QString::fromUtf8(p.readAllStandardError());
  if (p.state() != QProcess::NotRunning) return -1;
  return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

QString log_text(const QString& home) {
  const QDir dir(home + QStringLiteral("/log"));
  const QStringList logs = dir.entryList(QDir::Files);
  return logs.size() == 1 ? read_text(dir.filePath(logs.first())) : QString();
}

}  // namespace ov_test
