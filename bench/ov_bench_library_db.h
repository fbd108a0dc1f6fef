#pragma once

// A stored library for the start-up benchmarks: 100,000 library rows with
// valid enciphered score fields, and optionally the library playlist and
// user playlists in playlists.db and playlist_items.db.
#include "ov_database.h"
#include "ov_field_codec.h"

#include <QList>
#include <QString>
#include <QtConcurrent>

#include <vector>

namespace ov_bench {

constexpr int library_rows = 100000;
inline const QString library_seed = QStringLiteral("9d4e1a2b-7c3f-4e5d-a6b7-c8d9e0f1a2b3");

inline QString plain_of(int id) {
  return QStringLiteral("%1:%2:%3:%4:%5:%6:%7:%8")
      .arg(qint64(id) * 7919 % 99999999)
      .arg(id % 5000)
      .arg(id % 31)
      .arg(id % 17)
      .arg(id % 13)
      .arg(id % 7)
      .arg(id % 5)
      .arg(id % 29);
}

inline QString path_of(int id) {
  return QStringLiteral("/music/artist%1/album%2/track%3.mp3").arg(id % 2000).arg(id % 5000).arg(id);
}

// Rows 1..library_rows of the library table; the score fields are
// enciphered on every core.
inline void build_library_rows(ov_database& db) {
  std::vector<int> ids(library_rows);
  for (int i = 0; i < library_rows; ++i) ids[size_t(i)] = i + 1;
  const QList<QString> fields = QtConcurrent::blockingMapped<QList<QString>>(
      ids, [](int id) { return encode_field(library_seed, plain_of(id), id); });
  db.begin_bulk();
  ov_statement st = db.prepare(QStringLiteral(
      "INSERT INTO  library (id, filepath, title, album, artist, track_no, length, timestamp_added, s)  VALUES (?, "
      "?, ?, ?, ?, ?, ?, ?, ?);"));
  for (int i = 0; i < library_rows; ++i) {
    const int id = i + 1;
    st.bind_int(1, id);
    st.bind_text(2, path_of(id));
    st.bind_text(3, QStringLiteral("Title %1").arg(id));
    st.bind_text(4, QStringLiteral("Album %1").arg(id % 5000));
    st.bind_text(5, QStringLiteral("Artist %1").arg(id % 2000));
    st.bind_int(6, id % 20 + 1);
    st.bind_int(7, 120 + id % 300);
    st.bind_int(8, 1700000000 + id);
    st.bind_text(9, fields[i]);
    (void)st.write();
    st.reset();
  }
  db.end_bulk();
}

// Writes playlist_items rows with ids 1, 2, ... (call inside a bulk).
class item_writer {
public:
  explicit item_writer(ov_database& items_db)
      : st_(items_db.prepare(QStringLiteral(
            "INSERT INTO  playlist_items (id, playlist_id, library_id, number, position)  VALUES (?, ?, ?, ?, ?);"))) {}
  void add(int playlist, int library_id, int position) {
    st_.bind_int(1, ++id_);
    st_.bind_int(2, playlist);
    st_.bind_int(3, library_id);
    st_.bind_int(4, position + 1);
    st_.bind_int(5, position);
    (void)st_.write();
    st_.reset();
  }

private:
  ov_statement st_;
  int id_ = 0;
};

// The library playlist (every library row in id order) and playlists
// 1..count of entries each; playlist p takes every count-th library row
// from row p on.
inline void build_playlist_rows(ov_database& playlists_db, ov_database& items_db, int count, int entries) {
  items_db.begin_bulk();
  {
    item_writer items(items_db);
    for (int id = 1; id <= library_rows; ++id) items.add(0, id, id - 1);
    for (int p = 1; p <= count; ++p)
      for (int i = 0; i < entries; ++i) items.add(p, (i * count + p - 1) % library_rows + 1, i);
  }
  items_db.end_bulk();
  playlists_db.begin_bulk();
  {
    ov_statement st =
        playlists_db.prepare(QStringLiteral("INSERT INTO  playlists (id, name, position)  VALUES (?, ?, ?);"));
    for (int p = 1; p <= count; ++p) {
      st.bind_int(1, p);
      st.bind_text(2, QStringLiteral("Playlist %1").arg(p));
      st.bind_int(3, p);
      (void)st.write();
      st.reset();
    }
  }
  playlists_db.end_bulk();
}

}  // namespace ov_bench
