#include "ov_stats_history.h"

#include "ov_database.h"

#include <QDateTime>
#include <QtConcurrent>

#include <mutex>

#include <sqlite3.h>

namespace {

// Listening summed per UTC hour and play mode (1 normal, 2 shuffle medley).
constexpr auto plays_by_hour =
    "SELECT time / 3600 AS h, mode, SUM(seconds) FROM plays WHERE rowid > ? AND rowid <= ? GROUP BY h, mode;";
constexpr auto plays_by_track =
    "SELECT track_id, SUM(seconds) FROM plays WHERE rowid > ? AND rowid <= ? GROUP BY track_id;";
// The experience an award brought is its absolute points; the loss that a
// pick on the Nexts panel deals the tracks passed over (selected, negative)
// brings none.
constexpr auto experience_by_hour =
    "SELECT time / 3600 AS h, SUM(CASE WHEN kind = 2 AND points < 0 THEN 0 ELSE ABS(points) END) FROM awards "
    "WHERE rowid > ? AND rowid <= ? GROUP BY h;";
constexpr auto grades_first_seen = "SELECT grade, MIN(time) FROM awards WHERE rowid > ? AND rowid <= ? GROUP BY grade;";

constexpr int normal_mode = 1;
constexpr int medley_mode = 2;

QDate local_day_of_hour(qint64 hour) {
  return QDateTime::fromSecsSinceEpoch(hour * 3600).date();
}

}  // namespace

// What the worker and the owner share: the sums made, and the connection
// while it is open, so that the owner can interrupt a long statement.
struct ov_stats_history::worker {
  std::mutex lock;
  sqlite3* connection = nullptr;
  bool stop = false;
  sums result;
};

ov_stats_history::ov_stats_history(ov_database* db) : db_(db && db->is_ok() ? db : nullptr) {}

ov_stats_history::~ov_stats_history() {
  if (worker_) {
    {
      std::lock_guard locker(worker_->lock);
      worker_->stop = true;
      if (worker_->connection) sqlite3_interrupt(worker_->connection);
    }
    done_.waitForFinished();
  }
}

bool ov_stats_history::read_into(sums& s, const preparer& prepare) {
  const auto max_rowid = [&prepare](const char* table) {
    ov_statement st = prepare(QStringLiteral("SELECT MAX(rowid) FROM %1;").arg(QLatin1String(table)));
    return st.step_row() ? st.column_int64(0) : 0;
  };
  const auto range = [&prepare](const char* sql, qint64 from, qint64 to) {
    ov_statement st = prepare(QString::fromLatin1(sql));
    st.bind_int64(1, from);
    st.bind_int64(2, to);
    return st;
  };
  bool changed = false;
  const qint64 plays_end = max_rowid("plays");
  if (plays_end > s.plays_done) {
    changed = true;
    ov_statement hours = range(plays_by_hour, s.plays_done, plays_end);
    while (hours.step_row()) {
      listening& day = s.by_day[local_day_of_hour(hours.column_int64(0))];
      const int mode = hours.column_int(1);
      if (mode == normal_mode)
        day.normal += hours.column_int64(2);
      else if (mode == medley_mode)
        day.medley += hours.column_int64(2);
    }
    ov_statement tracks = range(plays_by_track, s.plays_done, plays_end);
    while (tracks.step_row()) s.seconds_by_track[tracks.column_int(0)] += tracks.column_int64(1);
    s.plays_done = plays_end;
  }
  const qint64 awards_end = max_rowid("awards");
  if (awards_end > s.awards_done) {
    changed = true;
    ov_statement hours = range(experience_by_hour, s.awards_done, awards_end);
    while (hours.step_row()) s.experience[local_day_of_hour(hours.column_int64(0))] += hours.column_int64(1);
    ov_statement grades = range(grades_first_seen, s.awards_done, awards_end);
    while (grades.step_row())
      if (!s.first_grade.contains(grades.column_int(0)))
        s.first_grade.insert(grades.column_int(0), grades.column_int64(1));
    s.awards_done = awards_end;
  }
  return changed;
}

void ov_stats_history::read_in_background() {
  if (!db_ || worker_) return;
  auto w = std::make_shared<worker>();
  w->result.plays_done = sums_.plays_done;
  w->result.awards_done = sums_.awards_done;
  const QByteArray path = db_->path().toUtf8();
  worker_ = w;
  done_ = QtConcurrent::run([w, path] {
    sqlite3* connection = nullptr;
    {
      std::lock_guard locker(w->lock);
      if (w->stop) return;
      if (sqlite3_open_v2(path.constData(), &connection, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(connection);
        return;
      }
      sqlite3_busy_timeout(connection, 5000);
      w->connection = connection;
    }
    read_into(w->result, [connection](const QString& sql) {
      sqlite3_stmt* st = nullptr;
      if (sqlite3_prepare16_v2(connection, sql.utf16(), -1, &st, nullptr) != SQLITE_OK) st = nullptr;
      return ov_statement(st, connection, sql);
    });
    std::lock_guard locker(w->lock);
    w->connection = nullptr;
    sqlite3_close(connection);
  });
}

bool ov_stats_history::reading() const {
  return worker_ && !done_.isFinished();
}

void ov_stats_history::wait() {
  if (worker_) done_.waitForFinished();
}

void ov_stats_history::merge(sums& into, sums&& more) {
  for (auto it = more.by_day.begin(); it != more.by_day.end(); ++it) {
    listening& day = into.by_day[it.key()];
    day.normal += it.value().normal;
    day.medley += it.value().medley;
  }
  for (auto it = more.experience.begin(); it != more.experience.end(); ++it) into.experience[it.key()] += it.value();
  for (auto it = more.seconds_by_track.begin(); it != more.seconds_by_track.end(); ++it)
    into.seconds_by_track[it.key()] += it.value();
  for (auto it = more.first_grade.begin(); it != more.first_grade.end(); ++it)
    if (!into.first_grade.contains(it.key())) into.first_grade.insert(it.key(), it.value());
  into.plays_done = more.plays_done;
  into.awards_done = more.awards_done;
}

bool ov_stats_history::refresh() {
  if (!db_) return false;
  bool changed = false;
  if (worker_) {
    if (!done_.isFinished()) return false;
    // Nothing was read on this thread since the worker started: its sums
    // begin where these end.
    changed = worker_->result.plays_done > sums_.plays_done || worker_->result.awards_done > sums_.awards_done;
    merge(sums_, std::move(worker_->result));
    worker_.reset();
  }
  return read_into(sums_, [this](const QString& sql) { return db_->prepare(sql); }) || changed;
}
