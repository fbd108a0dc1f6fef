#pragma once

#include <QFile>
#include <QHash>
#include <QMap>
#include <QReadWriteLock>
#include <QString>
#include <QTextStream>

// The process-wide log: one tab-separated line per entry, filtered per level
// and per level-and-tag. Writes from any thread are serialised by a lock.
class ov_log {
public:
  enum level : int { FATAL = 1, CRITICAL = 2, WARNING = 3, NOTICE = 4, INFO = 5, DEBUG = 6 };

  ov_log();
  ~ov_log();
  ov_log(const ov_log&) = delete;
  ov_log& operator=(const ov_log&) = delete;

  void open(const QString& file_name);
  void set_level(int lv, bool enabled);
  void set_tag(int lv, const QString& tag, bool enabled);
  bool enabled(int lv, const QString& tag) const;
  void write(int lv, const QString& tag, const QString& message);
  void write_flush(int lv, const QString& tag, const QString& message);
  void flush();

  static QString level_name(int lv);

  // "log/orvantis_log_yyyy-MM-dd.txt" for today; creates "log" when missing.
  static QString todays_file_name();
  // The filters every run starts with (DEBUG off, two DEBUG tags off).
  void set_initial_filters();

  // Process-wide instance; null until start-up installs one. Tests may
  // install their own. The installed log must outlive its users.
  static ov_log* global();
  static void install(ov_log* log);

private:
  void write_line(int lv, const QString& tag, const QString& message, bool flush_now);

  QFile file_;
  QTextStream stream_;
  mutable QReadWriteLock lock_;
  QMap<int, bool> level_filter_;
  QHash<QString, bool> tag_filter_;
};

// Convenience wrappers writing to the process-wide log (no-ops without one).
void ov_log_write(int lv, const QString& tag, const QString& message);
void ov_log_write_flush(int lv, const QString& tag, const QString& message);
