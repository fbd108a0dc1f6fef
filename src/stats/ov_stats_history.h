#pragma once

#include <QDate>
#include <QFuture>
#include <QHash>
#include <QMap>

#include <functional>
#include <memory>

class ov_database;
class ov_statement;
struct sqlite3;

// Running sums of the listening history file (tables awards and plays). The
// file only ever grows, so each refresh reads just the rows appended since the
// last one, already summed per hour by SQLite, and folds them in. The first
// read of a long history may run on a worker of Qt's global pool, over a
// read-only connection of its own; the handle given is used on the calling
// thread only.
class ov_stats_history {
public:
  struct listening {
    qint64 normal = 0;  // seconds of normal play
    qint64 medley = 0;  // seconds of shuffle medley play
  };

  // db may be null or not ok: then everything stays empty.
  explicit ov_stats_history(ov_database* db);
  // Stops a running first read and waits for its worker.
  ~ov_stats_history();
  ov_stats_history(const ov_stats_history&) = delete;
  ov_stats_history& operator=(const ov_stats_history&) = delete;

  // Starts reading what the file holds now on a worker; refresh() takes the
  // sums in once it is done.
  void read_in_background();
  // True while that read runs.
  bool reading() const;
  // Waits for the read started in the background (if any) to end.
  void wait();
  // A future that ends with the background read (for a watcher).
  QFuture<void> reading_done() const { return done_; }

  // Reads what was appended since the last call; true when something was.
  // While a background read runs it does nothing and says false.
  bool refresh();

  // Keyed by local calendar day.
  const QMap<QDate, listening>& listening_by_day() const { return sums_.by_day; }
  const QMap<QDate, qint64>& experience_by_day() const { return sums_.experience; }
  // Seconds listened per library track id (also of tracks removed since).
  const QHash<int, qint64>& seconds_by_track() const { return sums_.seconds_by_track; }
  // When each grade index was first seen after an award, in seconds since 1970.
  const QMap<int, qint64>& first_seen_grade() const { return sums_.first_grade; }

private:
  struct sums {
    qint64 plays_done = 0;  // rowids up to here are summed
    qint64 awards_done = 0;
    QMap<QDate, listening> by_day;
    QMap<QDate, qint64> experience;
    QHash<int, qint64> seconds_by_track;
    QMap<int, qint64> first_grade;
  };
  struct worker;
  using preparer = std::function<ov_statement(const QString&)>;

  // Adds the rows after s.plays_done and s.awards_done to s; true when there were any.
  static bool read_into(sums& s, const preparer& prepare);
  static void merge(sums& into, sums&& more);

  ov_database* db_;
  sums sums_;
  std::shared_ptr<worker> worker_;  // the background read, until taken in
  QFuture<void> done_;
};
