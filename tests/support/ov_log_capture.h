#pragma once

#include "ov_log.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

// Installs a process-wide log writing into a temporary file for the
// lifetime of the object; lines() gives "LEVEL\ttag\tmessage" per line,
// messages() only the messages. With_debug lets DEBUG lines through too.
class ov_log_capture {
public:
  explicit ov_log_capture(bool with_debug = false) {
    log_.open(dir_.filePath(QStringLiteral("log.txt")));
    log_.set_initial_filters();
    if (with_debug) log_.set_level(ov_log::DEBUG, true);
    ov_log::install(&log_);
  }
  ~ov_log_capture() { ov_log::install(nullptr); }

  ov_log& log() { return log_; }

  QStringList lines() {
    log_.flush();
    QFile f(dir_.filePath(QStringLiteral("log.txt")));
    if (!f.open(QIODevice::ReadOnly)) return {};
    QStringList out;
    for (const QString& line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
      out << line.section(QLatin1Char('\t'), 1);  // without the time
    return out;
  }
  QStringList messages() {
    QStringList out;
    for (const QString& line : lines()) out << line.section(QLatin1Char('\t'), 2);
    return out;
  }

private:
  QTemporaryDir dir_;
  ov_log log_;
};
