#pragma once

#include <QList>

class QObject;
class ov_database;
class ov_library;
class ov_playlist;

// The rows of the playlists table: one per user playlist with its name and
// its row in the playlist table. The library playlist is never stored.
class ov_playlist_store {
public:
  // The library playlist (id 0, row 0) followed by every stored playlist in
  // position order. The playlists database's id counter continues after the
  // highest id read. The playlists are parented to parent.
  static QList<ov_playlist*> load_all(ov_library* library, ov_database* playlists_db, ov_database* items_db,
                                      QObject* parent = nullptr);

  static void insert(ov_database* playlists_db, const ov_playlist* playlist);
  static void rename(ov_database* playlists_db, const ov_playlist* playlist);
  static void move(ov_database* playlists_db, const ov_playlist* playlist);
  static void remove(ov_database* playlists_db, const ov_playlist* playlist);
};
