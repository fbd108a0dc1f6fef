#include "ov_schema.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString column_list(const QString& table) {
  if (table == QLatin1String("library"))
    return QStringLiteral(
        "(id integer,  filepath text,  title text,  album text,  artist text,  track_no integer,  length integer,  "
        "timestamp_added integer,  s text);");
  if (table == QLatin1String("playlists")) return QStringLiteral("(id integer,  name text,  position integer);");
  if (table == QLatin1String("playlist_items"))
    return QStringLiteral(
        "(id integer,  playlist_id integer,  library_id integer,  number integer,  position integer);");
  if (table == QLatin1String("presets"))
    return QStringLiteral(
        "(id integer,  name text,  position integer,  fi_smin real,  fi_smax real,  fl_smin real,  fl_smax real,  "
        "fo_smin real,  fo_smax real,  sp_smin real,  sp_smax real,  fl_rmin integer,  fl_rmax integer,  "
        "sp_rmin integer,  sp_rmax integer,  fl_senabled integer,  sp_senabled integer,  "
        "adjust_fade_length_enabled integer,  no_fade_on_begin_end_enabled integer,  "
        "longer_on_high_scored_ones_enabled integer);");
  if (table == QLatin1String("favorite_engine")) return QStringLiteral("(id integer,  d1 text,  d2 text,  d3 text);");
  return QString();
}

constexpr int schema_version = 1;

}  // namespace

QList<ov_database*> ov_databases::in_order() const {
  return {library.get(), playlists.get(), playlist_items.get(), presets.get(), favorite_engine.get()};
}

QStringList ov_creation_statements(const QString& table) {
  QStringList list;
  list << QStringLiteral("CREATE TABLE ") + table + column_list(table);
  list << QStringLiteral("CREATE UNIQUE INDEX idx_id on ") + table + QStringLiteral("(id);");
  if (table == QLatin1String("library"))
    list << QStringLiteral("CREATE UNIQUE INDEX idx_filepath on ") + table + QStringLiteral(" (filepath);");
  list << QStringLiteral("CREATE TABLE version (version integer);");
  list << QStringLiteral("INSERT INTO version (version)  VALUES (") + QString::number(schema_version) +
              QStringLiteral(");");
  return list;
}

QString ov_database_path(const QString& conf_dir, const QString& table) {
  return conf_dir + QLatin1Char('/') + table + QStringLiteral(".db");
}

std::unique_ptr<ov_database> ov_open_database(const QString& conf_dir, const QString& table) {
  return std::make_unique<ov_database>(ov_database_path(conf_dir, table), ov_creation_statements(table), table);
}

ov_databases ov_open_databases(const QString& conf_dir) {
  ov_databases dbs;
  if (!QFileInfo(conf_dir).exists()) QDir().mkpath(conf_dir);
  if (!QFileInfo(conf_dir).isDir()) return dbs;

  dbs.library = ov_open_database(conf_dir, QStringLiteral("library"));
  dbs.playlists = ov_open_database(conf_dir, QStringLiteral("playlists"));
  dbs.playlist_items = ov_open_database(conf_dir, QStringLiteral("playlist_items"));
  dbs.presets = ov_open_database(conf_dir, QStringLiteral("presets"));
  dbs.favorite_engine = ov_open_database(conf_dir, QStringLiteral("favorite_engine"));
  return dbs;
}
