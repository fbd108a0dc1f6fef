#include "ov_app_config.h"

#include <QDir>
#include <QUuid>

ov_app_config::ov_app_config(const QString& conf_dir)
    : conf_dir_(conf_dir),
      backup_time_format_(QStringLiteral("yyyy-MM-dd_hhmmss")),
      backup_files_({QStringLiteral("main.ini"), QStringLiteral("seed.ini"), QStringLiteral("favorite_engine.db"),
                     QStringLiteral("library.db"), QStringLiteral("playlist_items.db"), QStringLiteral("playlists.db"),
                     QStringLiteral("presets.db"), QStringLiteral("history.db")}),
      main_(main_ini_path(conf_dir), QStringLiteral("main")),
      lang_(&main_, QStringLiteral("lang"),
            {{english, QStringLiteral("english")}, {japanese, QStringLiteral("japanese")}}, english),
      seed_group_(seed_ini_path(conf_dir), QStringLiteral("main")),
      sec_seed_(&seed_group_, QStringLiteral("sec_seed")),
      backup_(main_ini_path(conf_dir), QStringLiteral("backup")),
      enabled_(&backup_, QStringLiteral("enabled"), true),
      sec_diff_to_run_(&backup_, QStringLiteral("sec_diff_to_run"), 1, 86400, 600),
      keep_old_dirs_back_to_(&backup_, QStringLiteral("keep_old_dirs_back_to"), 1, 200, 25) {
  enabled_value_ = enabled_.read();
  enabled_.write(enabled_value_);
  sec_diff_value_ = sec_diff_to_run_.read();
  sec_diff_to_run_.write(sec_diff_value_);
  keep_value_ = keep_old_dirs_back_to_.read();
  keep_old_dirs_back_to_.write(keep_value_);
  backup_.sync();
  main_.sync();
  seed_group_.sync();
}

QString ov_app_config::main_ini_path(const QString& conf_dir) {
  return conf_dir + QDir::separator() + QStringLiteral("main.ini");
}

QString ov_app_config::seed_ini_path(const QString& conf_dir) {
  return conf_dir + QDir::separator() + QStringLiteral("seed.ini");
}

void ov_app_config::store_lang(int lang) {
  lang_.write(lang);
  lang_.sync();
}

QString ov_app_config::init_seed() {
  QString seed = sec_seed_.read();
  if (seed.length() != 36) {
    seed = make_seed();
    sec_seed_.write(seed);
    sec_seed_.sync();
  }
  return seed;
}

bool ov_app_config::has_valid_seed() {
  return sec_seed_.read().length() == 36;
}

QString ov_app_config::make_seed() {
  QString text = QUuid::createUuid().toString();
  text.remove(QLatin1Char('{'));
  text.remove(QLatin1Char('}'));
  return text;
}
