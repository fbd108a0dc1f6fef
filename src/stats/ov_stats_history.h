#pragma once

#include <QDate>
#include <QHash>
#include <QMap>

class ov_database;

// Running sums of the listening history file (tables awards and plays). The
// file only ever grows, so each refresh reads just the rows appended since the
// last one, already summed per hour by SQLite, and folds them in.
class ov_stats_history {
public:
  struct listening {
    qint64 normal = 0;  // seconds of normal play
    qint64 medley = 0;  // seconds of shuffle medley play
  };

  // db may be null or not ok: then everything stays empty.
  explicit ov_stats_history(ov_database* db);

  // Reads what was appended since the last call; true when something was.
  bool refresh();

  // Keyed by local calendar day.
  const QMap<QDate, listening>& listening_by_day() const { return listening_; }
  const QMap<QDate, qint64>& experience_by_day() const { return experience_; }
  // Seconds listened per library track id (also of tracks removed since).
  const QHash<int, qint64>& seconds_by_track() const { return seconds_by_track_; }
  // When each grade index was first seen after an award, in seconds since 1970.
  const QMap<int, qint64>& first_seen_grade() const { return first_grade_; }

private:
  static QDate local_day_of_hour(qint64 hour);
  qint64 max_rowid(const char* table) const;

  ov_database* db_;
  qint64 plays_done_ = 0;  // rowids up to here are summed
  qint64 awards_done_ = 0;
  QMap<QDate, listening> listening_;
  QMap<QDate, qint64> experience_;
  QHash<int, qint64> seconds_by_track_;
  QMap<int, qint64> first_grade_;
};
