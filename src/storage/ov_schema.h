#pragma once

#include "ov_database.h"

#include <QString>
#include <QStringList>

#include <memory>

// The five database files under the configuration directory.
struct ov_databases {
  std::unique_ptr<ov_database> library;
  std::unique_ptr<ov_database> playlists;
  std::unique_ptr<ov_database> playlist_items;
  std::unique_ptr<ov_database> presets;
  std::unique_ptr<ov_database> favorite_engine;

  // All five handles, in opening order (null entries when conf was unusable).
  QList<ov_database*> in_order() const;
};

// The creation statements of one table's file, in execution order.
QStringList ov_creation_statements(const QString& table);
// conf_dir + "/" + table + ".db".
QString ov_database_path(const QString& conf_dir, const QString& table);
// Opens (or creates) one table's file under conf_dir.
std::unique_ptr<ov_database> ov_open_database(const QString& conf_dir, const QString& table);
// Creates conf_dir when missing and opens (or creates) the five files in the
// order library, playlists, playlist_items, presets, favorite_engine. When
// conf_dir is not a directory afterwards, no handle is made.
ov_databases ov_open_databases(const QString& conf_dir = QStringLiteral("conf"));
