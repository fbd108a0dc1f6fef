#include "ov_config_backup.h"

#include "ov_log.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>

ov_config_backup::ov_config_backup(const QString& conf_dir, const QString& root, const QStringList& files,
                                   const QString& time_format)
    : conf_dir_(conf_dir), root_(root), files_(files), format_(time_format) {}

QStringList ov_config_backup::backup_dir_names() const {
  static const QRegularExpression pattern(QStringLiteral("^[0-9]{4}-[0-9]{2}-[0-9]{2}_[0-9]{6}$"));
  QStringList names;
  const QStringList entries = QDir(root_).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
  for (const QString& name : entries)
    if (pattern.match(name).hasMatch()) names << name;
  std::sort(names.begin(), names.end(), std::greater<QString>());
  return names;
}

void ov_config_backup::take_backup_if_due(bool enabled, int sec_diff_to_run) {
  const QString log_tag = QStringLiteral("init-backup");
  if (!enabled) {
    ov_log_write(ov_log::INFO, QStringLiteral("init backup"), QStringLiteral("backup disabled"));
    return;
  }
  const QStringList names = backup_dir_names();
  if (names.isEmpty()) {
    ov_log_write(ov_log::INFO, log_tag, QStringLiteral("backup dir is empty"));
  } else {
    const QString& latest = names.first();
    const QDateTime taken = QDateTime::fromString(latest, format_);
    if (!taken.isValid()) {
      ov_log_write(ov_log::WARNING, log_tag, QStringLiteral("parse error for latest backup dir name=") + latest);
    } else if (taken.secsTo(QDateTime::currentDateTime()) >= sec_diff_to_run) {
      ov_log_write(ov_log::INFO, log_tag,
                   QStringLiteral("latest backup dir name= ") + latest + QStringLiteral(" and it is older than ") +
                       QString::number(sec_diff_to_run) + QStringLiteral("sec"));
    } else {
      ov_log_write(ov_log::INFO, log_tag,
                   QStringLiteral("latest backup dir name= ") + latest + QStringLiteral(" and it is NOT older than ") +
                       QString::number(sec_diff_to_run) + QStringLiteral("sec"));
      return;
    }
  }
  const QString path = root_ + QDir::separator() + QDateTime::currentDateTime().toString(format_);
  if (!QDir().mkpath(path)) {
    ov_log_write_flush(ov_log::WARNING, log_tag, QStringLiteral("failed to make the directory ") + path);
    return;
  }
  ov_log_write(ov_log::INFO, log_tag, QStringLiteral("taking backup.  backup dir= ") + path);
  if (!copy_files(files_, path))
    ov_log_write_flush(ov_log::WARNING, log_tag, QStringLiteral("backup is incomplete.  backup dir= ") + path);
}

bool ov_config_backup::copy_files(const QStringList& files, const QString& target) const {
  bool complete = true;
  for (const QString& file : files) {
    QFile source(conf_dir_ + QDir::separator() + file);
    // A file that does not exist yet has nothing to keep.
    if (!source.exists()) continue;
    const QString copy = target + QDir::separator() + file;
    if (source.copy(copy)) continue;
    complete = false;
    ov_log_write_flush(ov_log::WARNING, QStringLiteral("init-backup"),
                       QStringLiteral("failed to copy ") + source.fileName() + QStringLiteral(" to ") + copy +
                           QStringLiteral(": ") + source.errorString());
  }
  return complete;
}

QString ov_config_backup::keep_files(const QString& prefix, const QStringList& files) {
  const QString path =
      root_ + QDir::separator() + prefix + QLatin1Char('_') + QDateTime::currentDateTime().toString(format_);
  if (!QDir().mkpath(path)) {
    ov_log_write_flush(ov_log::WARNING, QStringLiteral("init-backup"),
                       QStringLiteral("failed to make the directory ") + path);
    return QString();
  }
  if (!copy_files(files, path))
    ov_log_write_flush(ov_log::WARNING, QStringLiteral("init-backup"),
                       QStringLiteral("backup is incomplete.  backup dir= ") + path);
  return path;
}

void ov_config_backup::remove_old_backups(int keep_old_dirs_back_to) {
  remove_backups(plan_removal(keep_old_dirs_back_to));
}

void ov_config_backup::remove_backups(const QStringList& names) {
  for (const QString& name : names) remove_backup_dir(name);
}

QStringList ov_config_backup::plan_removal(int keep_old_dirs_back_to) const {
  const QString log_tag = QStringLiteral("init-remove-old-backup");
  QStringList doomed;
  if (!QFileInfo(root_).isDir()) return doomed;
  const QStringList names = backup_dir_names();
  for (const QString& name : names) ov_log_write_flush(ov_log::DEBUG, log_tag, QStringLiteral("backup dir= ") + name);
  const int n = names.size();
  const int k = keep_old_dirs_back_to;
  if (n > k) {
    ov_log_write(ov_log::INFO, log_tag,
                 QStringLiteral("number of backup dir is ") + QString::number(n) + QStringLiteral(". it is over ") +
                     QString::number(k));
    for (int i = std::max(k, 0); i < n; ++i) doomed << names.at(i);
  } else {
    ov_log_write(ov_log::INFO, log_tag,
                 QStringLiteral("number of backup dir is ") + QString::number(n) + QStringLiteral(". it is NOT over ") +
                     QString::number(k));
  }
  return doomed;
}

void ov_config_backup::remove_backup_dir(const QString& name) {
  ov_log_write(ov_log::INFO, QStringLiteral("init-remove-old-backup"), QStringLiteral("removing ") + name);
  QDir dir(root_ + QDir::separator() + name);
  for (const QString& file : files_) dir.remove(file);
  QDir(root_).rmdir(name);
}
