#include "ov_data_dir.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

QString ov_data_dir::choose(const QString& home, const QString& program_dir, bool program_dir_writable,
                            const QString& xdg_data_home) {
  if (!home.isEmpty()) return home;
  if (!program_dir.isEmpty() && program_dir_writable) return program_dir;
  return xdg_data_home + QStringLiteral("/orvantis");
}

QString ov_data_dir::program_dir() {
  const QFileInfo exe(QStringLiteral("/proc/self/exe"));
  const QString target = exe.canonicalFilePath();
  if (target.isEmpty()) return QString();
  return QFileInfo(target).absolutePath();
}

QString ov_data_dir::locate() {
  const QString exe_dir = program_dir();
  const bool writable = !exe_dir.isEmpty() && ::access(QFile::encodeName(exe_dir).constData(), W_OK) == 0;
  return choose(qEnvironmentVariable("ORVANTIS_HOME"), exe_dir, writable,
                QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
}

QString ov_data_dir::enter() {
  const QString dir = locate();
  if (!QDir().mkpath(dir)) return QString();
  if (!QDir::setCurrent(dir)) return QString();
  return QDir::currentPath();
}
