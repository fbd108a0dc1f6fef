#include "ov_playlist_store.h"

#include "ov_database.h"
#include "ov_log.h"
#include "ov_playlist.h"
#include "ov_playlist_entries.h"

#include <algorithm>

namespace {

const QString insert_sql = QStringLiteral("INSERT INTO  playlists (id, name, position)  VALUES (?, ?, ?);");
const QString rename_sql = QStringLiteral("UPDATE playlists  SET name = ?  WHERE  id = ?;");
const QString move_sql = QStringLiteral("UPDATE playlists  SET position = ?  WHERE  id = ?;");
const QString delete_sql = QStringLiteral("DELETE FROM playlists  WHERE  id = ?;");
const QString load_all_sql = QStringLiteral("SELECT id, name, position  FROM playlists  ORDER BY position ASC;");

ov_statement prepared(ov_database* db, const QString& sql) {
  if (!db || !db->is_ok()) return {};
  return db->prepare(sql);
}

}  // namespace

QList<ov_playlist*> ov_playlist_store::load_all(ov_library* library, ov_database* playlists_db, ov_database* items_db,
                                                QObject* parent) {
  QList<ov_playlist*> playlists;
  const ov_playlist_entries entries(items_db);
  playlists.append(new ov_playlist(library, items_db, 0, ov_playlist::library_playlist_name(), 0, parent));
  if (!playlists_db) return playlists;
  int highest_id = 0;
  {
    ov_statement st = playlists_db->prepare(load_all_sql);
    while (st && st.step_row()) {
      const qint64 stored_id = st.column_int64(0);
      if (!ov_database::is_representable_id(stored_id)) {
        ov_log_write(ov_log::WARNING, QStringLiteral("playlist"),
                     QStringLiteral("skipping a playlist whose id is out of range.  id=%1").arg(stored_id));
        continue;
      }
      const int id = int(stored_id);
      playlists.append(new ov_playlist(library, items_db, id, st.column_text(1), st.column_int(2), parent));
      highest_id = std::max(highest_id, id);
    }
  }
  playlists_db->set_id(highest_id);
  return playlists;
}

void ov_playlist_store::insert(ov_database* playlists_db, const ov_playlist* playlist) {
  ov_statement st = prepared(playlists_db, insert_sql);
  if (!playlist) return;
  st.bind_int(1, playlist->id());
  st.bind_text(2, playlist->name());
  st.bind_int(3, playlist->position());
  st.write();
}

void ov_playlist_store::rename(ov_database* playlists_db, const ov_playlist* playlist) {
  ov_statement st = prepared(playlists_db, rename_sql);
  if (!playlist) return;
  st.bind_text(1, playlist->name());
  st.bind_int(2, playlist->id());
  st.write();
}

void ov_playlist_store::move(ov_database* playlists_db, const ov_playlist* playlist) {
  ov_statement st = prepared(playlists_db, move_sql);
  if (!playlist) return;
  st.bind_int(1, playlist->position());
  st.bind_int(2, playlist->id());
  st.write();
}

void ov_playlist_store::remove(ov_database* playlists_db, const ov_playlist* playlist) {
  ov_statement st = prepared(playlists_db, delete_sql);
  if (!playlist) return;
  st.bind_int(1, playlist->id());
  st.write();
}
