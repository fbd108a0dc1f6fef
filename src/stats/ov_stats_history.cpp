#include "ov_stats_history.h"

#include "ov_database.h"

#include <QDateTime>

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

}  // namespace

ov_stats_history::ov_stats_history(ov_database* db) : db_(db && db->is_ok() ? db : nullptr) {}

qint64 ov_stats_history::max_rowid(const char* table) const {
  ov_statement st = db_->prepare(QStringLiteral("SELECT MAX(rowid) FROM %1;").arg(QLatin1String(table)));
  return st.step_row() ? st.column_int64(0) : 0;
}

QDate ov_stats_history::local_day_of_hour(qint64 hour) {
  return QDateTime::fromSecsSinceEpoch(hour * 3600).date();
}

bool ov_stats_history::refresh() {
  if (!db_) return false;
  bool changed = false;
  const qint64 plays_end = max_rowid("plays");
  if (plays_end > plays_done_) {
    changed = true;
    ov_statement hours = db_->prepare(QString::fromLatin1(plays_by_hour));
    hours.bind_int64(1, plays_done_);
    hours.bind_int64(2, plays_end);
    while (hours.step_row()) {
      listening& day = listening_[local_day_of_hour(hours.column_int64(0))];
      const int mode = hours.column_int(1);
      if (mode == normal_mode)
        day.normal += hours.column_int64(2);
      else if (mode == medley_mode)
        day.medley += hours.column_int64(2);
    }
    ov_statement tracks = db_->prepare(QString::fromLatin1(plays_by_track));
    tracks.bind_int64(1, plays_done_);
    tracks.bind_int64(2, plays_end);
    while (tracks.step_row()) seconds_by_track_[tracks.column_int(0)] += tracks.column_int64(1);
    plays_done_ = plays_end;
  }
  const qint64 awards_end = max_rowid("awards");
  if (awards_end > awards_done_) {
    changed = true;
    ov_statement hours = db_->prepare(QString::fromLatin1(experience_by_hour));
    hours.bind_int64(1, awards_done_);
    hours.bind_int64(2, awards_end);
    while (hours.step_row()) experience_[local_day_of_hour(hours.column_int64(0))] += hours.column_int64(1);
    ov_statement grades = db_->prepare(QString::fromLatin1(grades_first_seen));
    grades.bind_int64(1, awards_done_);
    grades.bind_int64(2, awards_end);
    while (grades.step_row()) {
      const int grade = grades.column_int(0);
      if (!first_grade_.contains(grade)) first_grade_.insert(grade, grades.column_int64(1));
    }
    awards_done_ = awards_end;
  }
  return changed;
}
