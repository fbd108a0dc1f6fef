#pragma once

#include "ov_statement.h"
#include "ov_track.h"
#include "ov_track_group.h"

#include <QFuture>
#include <QHash>
#include <QSet>
#include <QStringList>

#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

class ov_database;

// The library store: every track of library.db in memory, with lookups by
// path and id, the album and artist groups, and the enciphered score field.
class ov_library {
public:
  // Loads the whole library at once. With a score cache file (ov_score_cache),
  // rows whose stored score field it knows take its values; the others are
  // deciphered. The file is rewritten by store_score_cache.
  ov_library(ov_database* db, ov_group_map* albums, ov_group_map* artists, const QString& seed,
             const QString& score_cache_path = QString());
  // Waits for a score cache write still running.
  ~ov_library();
  ov_library(const ov_library&) = delete;
  ov_library& operator=(const ov_library&) = delete;

  // Adds one file (time: seconds since 1970). Does nothing for a known path;
  // skips, with a warning, a file whose tags cannot be read.
  void add_music_file(const QString& path, qint64 time);
  // add_music_file for each path in list order, with the same ids, rows and
  // log lines, while the files ahead are read on other cores (a path listed
  // twice is read and logged once, even when it is skipped). progress gets
  // the number of paths done after each one; returning false stops there.
  void add_music_files(const QStringList& paths, qint64 time, const std::function<bool(qsizetype)>& progress = {});
  // Adds a valid track with a new path to the indexes and groups and takes
  // ownership; returns it, or null (and destroys it) when it was ignored.
  ov_track* register_track(std::unique_ptr<ov_track> track);
  // Deletes the row and drops the track from the indexes and groups; the
  // caller receives the track (null when the path is unknown).
  std::unique_ptr<ov_track> remove_track(const QString& path);
  // remove_track for many tracks in one pass. For each track in list order:
  // before_each(track) lets the caller drop its references (playlist
  // entries), then the row is deleted and the track leaves the indexes and
  // groups. progress gets the number of tracks done after each one; returning
  // false stops there. Tracks the library does not hold are passed over (and
  // counted). The ordered paths list is rebuilt once, at the end, so paths()
  // is stale only while before_each and progress run. The caller receives the
  // removed tracks, in list order.
  std::vector<std::unique_ptr<ov_track>> remove_tracks(const QList<ov_track*>& tracks,
                                                       const std::function<void(ov_track*)>& before_each = {},
                                                       const std::function<bool(qsizetype)>& progress = {});
  void write_score(ov_track* track);
  // write_score for every changed track in one transaction; false when some
  // score did not reach the file (each failure is logged).
  bool write_all_scores();
  // Tracks whose score the last write_all_scores could not store.
  int unstored_scores() const { return unstored_scores_; }
  // Rewrites the score cache file (when the store has one) with every track
  // whose score is stored, on another thread; a write still running is
  // waited for first. add_music_files calls it after the batch.
  void store_score_cache();
  // Rows whose scores the load took from the score cache.
  int cached_scores() const { return cached_scores_; }

  bool contains_path(const QString& path) const;
  ov_track* track_by_path(const QString& path) const;
  ov_track* track_by_id(int id) const;
  bool contains(const ov_track* track) const;
  int score_failures() const { return score_failures_; }
  const QStringList& paths() const { return paths_; }
  // Every registered track by library id, for passes over the whole library.
  const QHash<int, ov_track*>& tracks_by_id() const { return by_id_; }
  ov_database* database() const { return db_; }
  const QString& seed() const { return seed_; }

  // The album group key of a track's tags (album, separator, directory) and
  // the directory; empty without an album. Made off the loading thread.
  struct album_place {
    QString key;
    QString directory;
  };
  static album_place album_place_of(const ov_tag_data& tags);

private:
  void load();
  ov_track* register_track(std::unique_ptr<ov_track> track, const album_place& place);
  // Drops a registered track from the indexes and its groups; hands it back.
  std::unique_ptr<ov_track> unregister(ov_track* track);
  // unregister without touching the ordered paths list.
  std::unique_ptr<ov_track> unindex(ov_track* track);
  // Deletes the track's row; st is the prepared DELETE, or null.
  void delete_row(ov_statement& st, const ov_track* track);
  // Registers and stores a track whose tags were read; zeros gives its
  // first score field.
  void add_read_file(std::unique_ptr<ov_track> track, const std::function<QString()>& zeros);
  static QString new_score_field(const QString& seed, int id);
  static void refuse_without_id(const QString& path);
  static void mark_uncommitted(const QList<ov_track*>& tracks);
  // Stores an enciphered score field; true when the UPDATE completed.
  bool update_score(int id, const QString& stored);
  // After stored reached the track's row: not dirty, and its fingerprint.
  void stored_as(ov_track* track, const QString& stored) const;
  // Statements kept prepared across calls (null until first used).
  ov_statement& cached(ov_statement& slot, const QString& sql);

  int score_failures_ = 0;
  int unstored_scores_ = 0;
  int cached_scores_ = 0;
  QStringList paths_;
  QHash<QString, ov_track*> by_path_;
  QHash<int, ov_track*> by_id_;
  std::unordered_map<const ov_track*, std::unique_ptr<ov_track>> owned_;
  ov_database* db_;
  ov_group_map* albums_;
  ov_group_map* artists_;
  QString seed_;
  QString score_cache_path_;
  // The library file the cache belongs to (its canonical path).
  QString score_cache_library_;
  QFuture<void> score_cache_write_;
  ov_statement insert_statement_;
  ov_statement update_statement_;
};

// Paths of the music files (.mp3 .flac .opus .ogg .oga .m4a .wav, any case)
// below a directory: its own files first, then each subdirectory's, recursively.
// Hidden entries (names starting with a dot) are skipped, with one log line
// saying how many; names that are not text in the file name encoding are
// skipped with a log line each and counted into *unreadable when given.
QStringList collect_mp3_files(const QString& directory, qsizetype* unreadable = nullptr);

// The clean absolute form of a file path: relative to the working directory
// when relative, without ".", "..", doubled or trailing slashes. Symbolic
// links stay as they are. Two spellings of one file give one text.
QString ov_clean_file_path(const QString& path);
