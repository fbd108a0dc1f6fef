#pragma once

#include <QString>
#include <QStringList>

// Timed copies of the configuration directory into dated directories under
// the backup root, and pruning of the oldest ones. Paths are relative to the
// working directory unless given absolute.
class ov_config_backup {
public:
  ov_config_backup(const QString& conf_dir, const QString& root, const QStringList& files, const QString& time_format);

  // Copies every file of the list into a new dated directory unless backups
  // are disabled or the newest one is younger than sec_diff_to_run seconds.
  void take_backup_if_due(bool enabled, int sec_diff_to_run);
  // Removes the oldest backup directories beyond keep_old_dirs_back_to.
  void remove_old_backups(int keep_old_dirs_back_to);
  // The deciding half of remove_old_backups (with its log lines): the names
  // of the directories to remove, oldest last. remove_backups carries it out;
  // start-up does that only once the databases have proved usable, so that
  // a start that fails removes nothing.
  QStringList plan_removal(int keep_old_dirs_back_to) const;
  void remove_backups(const QStringList& names);

  // Copies the named files of the configuration directory into a new
  // directory "<prefix>_<time>" of the backup root (a name pruning never
  // touches). Returns its path, or empty when nothing could be kept.
  QString keep_files(const QString& prefix, const QStringList& files);

  // Names of the backup directories, newest first.
  QStringList backup_dir_names() const;

private:
  void remove_backup_dir(const QString& name);
  // Copies each file that exists; false (and a log line per file) when a
  // copy failed.
  bool copy_files(const QStringList& files, const QString& target) const;

  QString conf_dir_;
  QString root_;
  QStringList files_;
  QString format_;
};
