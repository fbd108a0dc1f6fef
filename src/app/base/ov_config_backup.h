#pragma once

#include <QString>
#include <QStringList>

// Timed copies of the configuration directory into dated directories under
// the backup root, and pruning of the oldest ones. Paths are relative to the
// working directory unless given absolute.
class ov_config_backup {
public:
  ov_config_backup(const QString& conf_dir, const QString& root, const QStringList& files,
                   const QString& time_format);

  // Copies every file of the list into a new dated directory unless backups
  // are disabled or the newest one is younger than sec_diff_to_run seconds.
  void take_backup_if_due(bool enabled, int sec_diff_to_run);
  // Removes the oldest backup directories beyond keep_old_dirs_back_to.
  void remove_old_backups(int keep_old_dirs_back_to);

  // Names of the backup directories, newest first.
  QStringList backup_dir_names() const;

private:
  void remove_backup_dir(const QString& name);

  QString conf_dir_;
  QString root_;
  QStringList files_;
  QString format_;
};
