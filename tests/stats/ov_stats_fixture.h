#pragma once

// A small library and listening history made in a temporary directory for
// the statistics tests: six tracks with known scores, and history rows at
// local noon of known days. The benchmark and the view renderer make their
// history files with open_history too.
#include "ov_database.h"
#include "ov_field_codec.h"
#include "ov_library.h"
#include "ov_schema.h"
#include "ov_track_group.h"

#include <QDateTime>
#include <QTemporaryDir>

#include <memory>

namespace ov_stats_test {

inline const QString seed = QStringLiteral("3f1c9a7e-2b4d-4e6f-8a1b-5c7d9e0f1a2b");

struct track_row {
  int id;
  const char* title;
  const char* album;
  const char* artist;
  const char* dir;
  int score;
};

// Ranks: F 2, F+ 1, B 1, S 1, SS 1. The two "Sun" albums lie in two directories.
const track_row tracks[] = {
    {1, "Alpha", "Sun", "Ann", "/m/a", 0},        {2, "Beta", "Sun", "Ann", "/m/a", 19},
    {3, "Gamma", "Moon", "Bob", "/m/b", 20},      {4, "Delta", "Moon", "Bob", "/m/b", 1500},
    {5, "Epsilon", "Sun", "Cid", "/m/c", 600000}, {6, "Zeta, \"live\"", "", "", "/m/d", 10000},
};

// A listening history file in dir, as the program keeps it.
inline std::unique_ptr<ov_database> open_history(const QString& dir) {
  return std::make_unique<ov_database>(
      dir + QStringLiteral("/history.db"),
      QStringList{QStringLiteral("CREATE TABLE IF NOT EXISTS awards (time INTEGER NOT NULL, track_id INTEGER NOT "
                                 "NULL, kind INTEGER NOT NULL, points INTEGER NOT NULL, grade INTEGER NOT NULL);"),
                  QStringLiteral("CREATE TABLE IF NOT EXISTS plays (time INTEGER NOT NULL, track_id INTEGER NOT "
                                 "NULL, seconds INTEGER NOT NULL, mode INTEGER NOT NULL);"),
                  QStringLiteral("CREATE INDEX IF NOT EXISTS awards_time ON awards(time);"),
                  QStringLiteral("CREATE INDEX IF NOT EXISTS plays_time ON plays(time);")},
      QStringLiteral("awards"));
}

// The six tracks as library rows, their scores enciphered with seed.
inline void insert_tracks(ov_database* library_db, const QString& seed) {
  for (const track_row& t : tracks) {
    ov_statement st = library_db->prepare(
        QStringLiteral("INSERT INTO library (id, filepath, title, album, artist, track_no, length, timestamp_added, s) "
                       "VALUES (?, ?, ?, ?, ?, 1, 200, 1700000000, ?);"));
    st.bind_int(1, t.id);
    st.bind_text(2, QStringLiteral("%1/%2.mp3").arg(QLatin1String(t.dir)).arg(t.id));
    st.bind_text(3, QString::fromUtf8(t.title));
    st.bind_text(4, QLatin1String(t.album));
    st.bind_text(5, QLatin1String(t.artist));
    st.bind_text(6, encode_field(seed, QStringLiteral("%1:0:0:0:0:0:0:0").arg(t.score), t.id));
    (void)st.write();
  }
}

inline qint64 at(int y, int m, int d, int hour = 12) {
  return QDateTime(QDate(y, m, d), QTime(hour, 0)).toSecsSinceEpoch();
}

struct fixture {
  QTemporaryDir dir;
  std::unique_ptr<ov_database> library_db;
  std::unique_ptr<ov_database> history_db;
  ov_group_map albums, artists;
  std::unique_ptr<ov_library> library;

  // with_tracks: the six tracks above, else an empty library.
  explicit fixture(bool with_tracks = true) {
    library_db = ov_open_database(dir.path(), QStringLiteral("library"));
    if (with_tracks) insert_tracks(library_db.get(), seed);
    library = std::make_unique<ov_library>(library_db.get(), &albums, &artists, seed);
    history_db = open_history(dir.path());
  }

  void play(qint64 time, int track, int seconds, int mode) {
    ov_statement st = history_db->prepare(QStringLiteral("INSERT INTO plays VALUES (?, ?, ?, ?);"));
    st.bind_int64(1, time);
    st.bind_int(2, track);
    st.bind_int(3, seconds);
    st.bind_int(4, mode);
    (void)st.write();
  }

  void award(qint64 time, int track, int kind, int points, int grade) {
    ov_statement st = history_db->prepare(QStringLiteral("INSERT INTO awards VALUES (?, ?, ?, ?, ?);"));
    st.bind_int64(1, time);
    st.bind_int(2, track);
    st.bind_int(3, kind);
    st.bind_int(4, points);
    st.bind_int(5, grade);
    (void)st.write();
  }

  // Listening of March 2026 (track 99 was removed from the library), and
  // awards with two grade-ups.
  void fill_history() {
    play(at(2026, 3, 31), 1, 120, 1);
    play(at(2026, 3, 31, 13), 3, 60, 2);
    play(at(2026, 3, 30), 4, 300, 1);
    play(at(2026, 3, 2), 5, 600, 1);
    play(at(2026, 3, 1), 5, 900, 2);
    play(at(2025, 3, 1), 99, 1200, 1);
    award(at(2026, 3, 1), 1, 1, 1, 0);
    award(at(2026, 3, 1), 2, 2, 2, 0);
    award(at(2026, 3, 1), 3, 2, -1, 0);  // passed over on the Nexts panel
    award(at(2026, 3, 2), 4, 4, -1, 1);
    award(at(2026, 3, 2, 13), 5, 5, 0, 1);
    award(at(2026, 3, 5), 5, 3, 5, 2);
  }
};

}  // namespace ov_stats_test
