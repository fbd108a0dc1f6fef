#pragma once

#include "ov_stats_history.h"

#include <QColor>
#include <QCoreApplication>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class ov_library;
class ov_database;

// The charts of the statistics window.
enum class ov_chart : int {
  ranks,
  top_tracks,
  albums_by_score,
  artists_by_score,
  albums_by_time,
  artists_by_time,
  listening_days,
  listening_weeks,
  experience,
};
constexpr int ov_chart_count = 9;

// What the statistics charts show: computed on request from the library in
// memory and the sums of the listening history, and kept until the library
// or the history changes; each chart also gives a one-line summary and its
// data as CSV text.
class ov_statistics {
  Q_DECLARE_TR_FUNCTIONS(ov_statistics)

public:
  // One bar of a leaders chart.
  struct leader {
    QString label;        // title, album or artist
    QStringList details;  // artist and album of a track, directory of an album
    qint64 value = 0;
  };
  // One stacked bar of the listening charts: the days first .. last.
  struct listening_bucket {
    QDate first;
    QDate last;
    qint64 normal = 0;  // seconds
    qint64 medley = 0;
  };
  struct experience_point {
    QDate day;
    qint64 total = 0;  // experience earned up to and with this day
  };
  struct grade_up {
    QDate day;
    int grade = 0;
    QString name;
  };

  static constexpr int top_track_count = 20;
  static constexpr int top_group_count = 10;
  static constexpr int day_count = 30;
  static constexpr int week_count = 52;

  // history_db may be null (no listening history).
  ov_statistics(const ov_library* library, ov_database* history_db);

  // Reads history rows appended since the last call; true when there were any.
  bool refresh_history();
  // The first read of the history on a worker (see ov_stats_history).
  void read_history_in_background() { history_.read_in_background(); }
  QFuture<void> history_read_done() const { return history_.reading_done(); }
  void wait_for_history() { history_.wait(); }
  // Scores changed, or tracks were added or removed.
  void note_library_changed();

  static QString title(ov_chart chart);

  // Tracks per rank, one count per rank of the rank table in index order.
  QList<int> rank_counts() const;
  // Library ids of the tracks in a rank, ascending.
  QList<int> tracks_in_rank(int rank_index) const;
  static QColor rank_colour(int rank_index);

  // Highest first; equal values in ascending id or name order.
  QList<leader> top_tracks() const;
  QList<leader> top_albums_by_score() const;
  QList<leader> top_artists_by_score() const;
  // By seconds listened in the history; tracks no longer in the library add
  // up under one "(removed)" entry.
  QList<leader> top_albums_by_time() const;
  QList<leader> top_artists_by_time() const;

  // The last 30 days and the last 52 weeks (each week ending on a weekday of
  // today), oldest first, today last.
  QList<listening_bucket> listening_days(const QDate& today) const;
  QList<listening_bucket> listening_weeks(const QDate& today) const;

  // Experience earned per day with any, accumulated; grade-ups on the day the
  // new grade was first seen.
  QList<experience_point> experience() const;
  QList<grade_up> grade_ups() const;

  // Whether the chart has something to draw (else the window shows a hint).
  bool has_data(ov_chart chart, const QDate& today) const;
  QString hint(ov_chart chart) const;
  QString summary(ov_chart chart, const QDate& today) const;
  // Header line and one line per bar or point, "\n" after each.
  QString csv(ov_chart chart, const QDate& today) const;

  // "(removed)": a track of the history that the library no longer holds.
  static QString removed_text();
  // Whole minutes and hours of a number of seconds, e.g. "3 h 05 min".
  static QString duration_text(qint64 seconds);

private:
  enum class group_kind { album, artist };
  QList<leader> top_groups_by_score(group_kind kind) const;
  QList<leader> top_groups_by_time(group_kind kind) const;
  QList<leader> leaders_of(ov_chart chart) const;
  QList<listening_bucket> listening(const QDate& today, int buckets, int days_per_bucket) const;
  QString leaders_summary(ov_chart chart) const;
  QString listening_summary(ov_chart chart, const QDate& today) const;

  const ov_library* library_;
  ov_stats_history history_;
  mutable std::optional<QList<int>> rank_counts_;
  mutable std::optional<QList<leader>> top_tracks_;
  mutable std::optional<QList<leader>> albums_by_score_, artists_by_score_, albums_by_time_, artists_by_time_;
};
