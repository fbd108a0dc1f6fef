#pragma once

#include "ov_setting_bool.h"
#include "ov_setting_int.h"
#include "ov_setting_named_int.h"
#include "ov_setting_text.h"
#include "ov_settings_group.h"

#include <QString>
#include <QStringList>

// The application configuration built first at start-up: the backup time
// format and file list, the language and seed items, and the three backup
// settings (read, repaired and written back at construction).
class ov_app_config {
public:
  enum language : int { english = 1, japanese = 2 };

  explicit ov_app_config(const QString& conf_dir = QStringLiteral("conf"));
  ov_app_config(const ov_app_config&) = delete;
  ov_app_config& operator=(const ov_app_config&) = delete;

  static QString main_ini_path(const QString& conf_dir = QStringLiteral("conf"));
  static QString seed_ini_path(const QString& conf_dir = QStringLiteral("conf"));

  const QString& conf_dir() const { return conf_dir_; }
  const QString& backup_time_format() const { return backup_time_format_; }
  const QStringList& backup_files() const { return backup_files_; }

  // Values read (and written back) at construction.
  bool backup_enabled() const { return enabled_value_; }
  int sec_diff_to_run() const { return sec_diff_value_; }
  int keep_old_dirs_back_to() const { return keep_value_; }

  // Language: whether "main/lang" is present, storing a choice, reading it.
  bool has_lang() const { return lang_.contains(); }
  void store_lang(int lang);
  int lang() { return lang_.read(); }

  // Reads sec_seed; a text that is not exactly 36 characters long is
  // replaced by a fresh one, stored and synced. Returns the seed in use.
  QString init_seed();
  // Whether sec_seed holds a seed init_seed would keep.
  bool has_valid_seed();
  // A new seed: a random UUID's text without the braces.
  static QString make_seed();

  ov_settings_group& main_group() { return main_; }

private:
  QString conf_dir_;
  QString backup_time_format_;
  QStringList backup_files_;
  ov_settings_group main_;
  ov_setting_named_int lang_;
  ov_settings_group seed_group_;
  ov_setting_text sec_seed_;
  ov_settings_group backup_;
  ov_setting_bool enabled_;
  ov_setting_int sec_diff_to_run_;
  ov_setting_int keep_old_dirs_back_to_;
  bool enabled_value_ = true;
  int sec_diff_value_ = 600;
  int keep_value_ = 25;
};
