#include "ov_log.h"

#include <QDateTime>
#include <QDir>

#include <algorithm>
#include <atomic>

namespace {

std::atomic<ov_log*> g_log{nullptr};

bool is_control(QChar c) {
  return c.unicode() < 0x20 || c.unicode() == 0x7f;
}

// One entry, one line: control characters (a newline in a file name, a NUL)
// are written as escapes, \n, \r and \t or \xHH.
QString escaped(const QString& text) {
  if (std::none_of(text.cbegin(), text.cend(), is_control)) return text;
  QString out;
  out.reserve(text.size() + 8);
  for (const QChar c : text) {
    if (!is_control(c))
      out += c;
    else if (c == QLatin1Char('\n'))
      out += QLatin1String("\\n");
    else if (c == QLatin1Char('\r'))
      out += QLatin1String("\\r");
    else if (c == QLatin1Char('\t'))
      out += QLatin1String("\\t");
    else
      out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
  }
  return out;
}

}  // namespace

ov_log::ov_log() {
  for (int lv = FATAL; lv <= DEBUG; ++lv) level_filter_.insert(lv, true);
}

ov_log::~ov_log() {
  flush();
}

void ov_log::open(const QString& file_name) {
  QWriteLocker locker(&lock_);
  file_.setFileName(file_name);
  if (file_.open(QIODevice::WriteOnly | QIODevice::Append)) stream_.setDevice(&file_);
}

void ov_log::set_level(int lv, bool enabled) {
  QWriteLocker locker(&lock_);
  level_filter_.insert(lv, enabled);
}

void ov_log::set_tag(int lv, const QString& tag, bool enabled) {
  QWriteLocker locker(&lock_);
  tag_filter_.insert(level_name(lv) + QStringLiteral("::") + tag, enabled);
}

bool ov_log::enabled(int lv, const QString& tag) const {
  QReadLocker locker(&lock_);
  const auto it = tag_filter_.constFind(level_name(lv) + QStringLiteral("::") + tag);
  if (it != tag_filter_.constEnd()) return it.value();
  return level_filter_.value(lv, false);
}

void ov_log::write(int lv, const QString& tag, const QString& message) {
  write_line(lv, tag, message, false);
}

void ov_log::write_flush(int lv, const QString& tag, const QString& message) {
  write_line(lv, tag, message, true);
}

void ov_log::flush() {
  QWriteLocker locker(&lock_);
  if (stream_.device()) stream_.flush();
}

void ov_log::write_line(int lv, const QString& tag, const QString& message, bool flush_now) {
  if (!enabled(lv, tag)) return;
  QWriteLocker locker(&lock_);
  if (!stream_.device()) return;
  // Composed under the lock so that lines appear in the order of their times.
  const QString line = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")) +
                       QLatin1Char('\t') + level_name(lv) + QLatin1Char('\t') + escaped(tag) + QLatin1Char('\t') +
                       escaped(message) + QLatin1Char('\n');
  stream_ << line;
  if (flush_now) stream_.flush();
}

QString ov_log::level_name(int lv) {
  switch (lv) {
    case FATAL:
      return QStringLiteral("FATAL");
    case CRITICAL:
      return QStringLiteral("CRITICAL");
    case WARNING:
      return QStringLiteral("WARNING");
    case NOTICE:
      return QStringLiteral("NOTICE");
    case INFO:
      return QStringLiteral("INFO");
    case DEBUG:
      return QStringLiteral("DEBUG");
    default:
      return QString();
  }
}

QString ov_log::todays_file_name() {
  QDir dir;
  if (!dir.exists(QStringLiteral("log"))) dir.mkdir(QStringLiteral("log"));
  return QStringLiteral("log") + QDir::separator() + QStringLiteral("orvantis_log") + QLatin1Char('_') +
         QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".txt");
}

void ov_log::set_initial_filters() {
  set_tag(DEBUG, QStringLiteral("init-remove-old-backup"), false);
  set_tag(DEBUG, QStringLiteral("favorite_core"), false);
  set_level(DEBUG, false);
}

ov_log* ov_log::global() {
  return g_log.load(std::memory_order_acquire);
}

void ov_log::install(ov_log* log) {
  g_log.store(log, std::memory_order_release);
}

void ov_log_write(int lv, const QString& tag, const QString& message) {
  if (ov_log* log = ov_log::global()) log->write(lv, tag, message);
}

void ov_log_write_flush(int lv, const QString& tag, const QString& message) {
  if (ov_log* log = ov_log::global()) log->write_flush(lv, tag, message);
}
