#pragma once

#include "ov_database.h"
#include "ov_library.h"
#include "ov_playlist.h"
#include "ov_schema.h"
#include "ov_track.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

// A library of hand-made tracks (no library.db) and real playlists.db and
// playlist_items.db files in a temporary directory.
struct ov_playlist_fixture {
  QTemporaryDir dir;
  ov_group_map albums, artists;
  ov_library library{nullptr, &albums, &artists, QStringLiteral("seed")};
  std::unique_ptr<ov_database> items_db = open(QStringLiteral("playlist_items"));
  std::unique_ptr<ov_database> playlists_db = open(QStringLiteral("playlists"));
  int next_track_id = 1;

  std::unique_ptr<ov_database> open(const QString& table) const { return ov_open_database(dir.path(), table); }

  struct track_values {
    QString title, album, artist;
    int score = 0;
    quint32 number = 0;
    int length = 0;
    int played = 0;
    int added = 0;
  };

  ov_track* add(const track_values& s) {
    const int id = next_track_id++;
    auto t = std::make_unique<ov_track>(id, s.added,
                                        ov_tag_data::from_values(QStringLiteral("/music/%1.mp3").arg(id), s.title,
                                                                 s.album, s.artist, s.number, s.length));
    t->add_score(s.score);
    for (int i = 0; i < s.played; ++i) t->increment_played();
    t->set_dirty(false);
    return library.register_track(std::move(t));
  }

  ov_track* add(const QString& title, int score = 0) { return add(track_values{title, QString(), QString(), score}); }

  std::unique_ptr<ov_playlist> playlist(int id = 1) {
    return std::make_unique<ov_playlist>(&library, items_db.get(), id, QStringLiteral("list %1").arg(id), id);
  }

  // Titles of the entries in row order.
  static QStringList titles(const ov_playlist& p) {
    QStringList out;
    for (int r = 0; r < p.count(); ++r) out << p.track_at(r)->tags().title();
    return out;
  }

  // One integer per stored entry of a playlist, ordered by position.
  QList<int> stored(const QString& column, int playlist_id) const {
    QList<int> out;
    ov_statement st = items_db->prepare(QStringLiteral("SELECT %1 FROM playlist_items WHERE playlist_id = ? "
                                                       "ORDER BY position ASC, id ASC;")
                                            .arg(column));
    st.bind_int(1, playlist_id);
    while (st.step_row()) out << st.column_int(0);
    return out;
  }
};
