#pragma once

#include <QHash>

#include <vector>

class ov_database;

// The stored entries of every playlist, read in one pass over the entries
// table, in each playlist's stored order. While one exists, playlists made
// on the same entries file take their entries from it instead of running
// their own query (each of which reads the whole table). Lives on the GUI
// thread, for the length of loading all playlists.
class ov_playlist_entries {
public:
  struct entry {
    qint64 id = 0;
    qint64 library_id = 0;
    int number = 0;
  };

  explicit ov_playlist_entries(ov_database* items_db);
  ~ov_playlist_entries();
  ov_playlist_entries(const ov_playlist_entries&) = delete;
  ov_playlist_entries& operator=(const ov_playlist_entries&) = delete;

  // The entries read for playlist id from items_db; null when none were read
  // for that file (the playlist then reads its own).
  static const std::vector<entry>* of(const ov_database* items_db, int id);

private:
  // The entries sorted after a plain scan; false when the stored positions
  // do not order them one way only (then nothing is kept).
  bool read_sorted_here();
  // The entries in the order of one ORDER BY query.
  bool read_sorted_by_sqlite();

  const ov_database* items_db_;
  QHash<qint64, std::vector<entry>> by_playlist_;
  const ov_playlist_entries* outer_;
};
