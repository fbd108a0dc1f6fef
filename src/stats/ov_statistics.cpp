#include "ov_statistics.h"

#include "ov_grade_table.h"
#include "ov_library.h"
#include "ov_rank_table.h"
#include "ov_track.h"
#include "ov_track_group.h"

#include <QLocale>

#include <algorithm>
#include <unordered_map>

namespace {

// Higher value first; equal values by name, then by their details.
void sort_and_cut(QList<ov_statistics::leader>& list, int count) {
  std::sort(list.begin(), list.end(), [](const ov_statistics::leader& a, const ov_statistics::leader& b) {
    if (a.value != b.value) return a.value > b.value;
    if (a.label != b.label) return a.label < b.label;
    return a.details < b.details;
  });
  if (list.size() > count) list.resize(count);
}

// Adds value to the group's leader in list, making it on the group's first
// value; at maps each group to its place in list.
using group_places = std::unordered_map<const ov_track_group*, qsizetype>;
void add_to_group(QList<ov_statistics::leader>& list, group_places& at, const ov_track_group* g, bool album,
                  qint64 value) {
  auto [it, added] = at.try_emplace(g, list.size());
  if (added) list << ov_statistics::leader{g->name, album ? QStringList{g->directory} : QStringList{}, 0};
  list[it->second].value += value;
}

QString csv_field(const QString& text) {
  static const QString special = QStringLiteral(",\"\n\r");
  bool quote = text.startsWith(QLatin1Char(' ')) || text.endsWith(QLatin1Char(' '));
  for (QChar c : text) quote = quote || special.contains(c);
  if (!quote) return text;
  QString doubled = text;
  doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
  return QLatin1Char('"') + doubled + QLatin1Char('"');
}

QString csv_line(const QStringList& fields) {
  QStringList out;
  out.reserve(fields.size());
  for (const QString& f : fields) out << csv_field(f);
  return out.join(QLatin1Char(',')) + QLatin1Char('\n');
}

QString iso(const QDate& day) {
  return day.toString(Qt::ISODate);
}

int percent(qint64 part, qint64 whole) {
  return whole > 0 ? int((part * 100 + whole / 2) / whole) : 0;
}

}  // namespace

ov_statistics::ov_statistics(const ov_library* library, ov_database* history_db)
    : library_(library), history_(history_db) {}

QString ov_statistics::title(ov_chart chart) {
  switch (chart) {
    case ov_chart::ranks:
      return tr("Tracks per Rank");
    case ov_chart::top_tracks:
      return tr("Top Tracks by Score");
    case ov_chart::albums_by_score:
      return tr("Top Albums by Score");
    case ov_chart::artists_by_score:
      return tr("Top Artists by Score");
    case ov_chart::albums_by_time:
      return tr("Top Albums by Listening Time");
    case ov_chart::artists_by_time:
      return tr("Top Artists by Listening Time");
    case ov_chart::listening_days:
      return tr("Listening per Day");
    case ov_chart::listening_weeks:
      return tr("Listening per Week");
    case ov_chart::experience:
      return tr("Favorite Engine Experience");
  }
  return {};
}

QString ov_statistics::removed_text() {
  return tr("(removed)");
}

QString ov_statistics::duration_text(qint64 seconds) {
  const qint64 minutes = seconds / 60;
  if (minutes < 60) return tr("%L1 min").arg(minutes);
  return tr("%L1 h %2 min").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

// ---- ranks ----------------------------------------------------------------------

bool ov_statistics::refresh_history() {
  if (!history_.refresh()) return false;
  albums_by_time_.reset();
  artists_by_time_.reset();
  return true;
}

void ov_statistics::note_library_changed() {
  rank_counts_.reset();
  top_tracks_.reset();
  albums_by_score_.reset();
  artists_by_score_.reset();
  albums_by_time_.reset();
  artists_by_time_.reset();
}

QList<int> ov_statistics::rank_counts() const {
  if (rank_counts_) return *rank_counts_;
  const ov_rank_table& ranks = ov_rank_table::instance();
  QList<int> counts(ranks.count(), 0);
  if (library_)
    for (const ov_track* t : library_->tracks_by_id()) ++counts[ranks.index_of(t->score())];
  rank_counts_ = counts;
  return counts;
}

QList<int> ov_statistics::tracks_in_rank(int rank_index) const {
  QList<int> ids;
  if (!library_) return ids;
  const ov_rank_table& ranks = ov_rank_table::instance();
  for (const ov_track* t : library_->tracks_by_id())
    if (ranks.index_of(t->score()) == rank_index) ids << t->id();
  std::sort(ids.begin(), ids.end());
  return ids;
}

// The colours of the rank icons: one per letter, the plus rank sharing it.
QColor ov_statistics::rank_colour(int rank_index) {
  static const char* const colours[] = {"#7a70cc", "#7a70cc", "#7a70cc", "#7a70cc", "#3fae7c",
                                        "#3fae7c", "#3fae7c", "#3fae7c", "#cc8450", "#cc8450",
                                        "#cc8450", "#cc8450", "#cc4f52", "#cc4f52", "#e0b92a"};
  if (rank_index < 0 || rank_index >= int(std::size(colours))) return QColor(Qt::gray);
  return QColor(QLatin1String(colours[rank_index]));
}

// ---- leaders ----------------------------------------------------------------------

QList<ov_statistics::leader> ov_statistics::top_tracks() const {
  if (top_tracks_) return *top_tracks_;
  struct scored {
    int score;
    int id;
    const ov_track* track;
  };
  std::vector<scored> tracks;
  if (library_) {
    tracks.reserve(size_t(library_->tracks_by_id().size()));
    for (const ov_track* t : library_->tracks_by_id())
      if (t->score() > 0) tracks.push_back({t->score(), t->id(), t});
  }
  const auto higher = [](const scored& a, const scored& b) {
    return a.score != b.score ? a.score > b.score : a.id < b.id;
  };
  const qsizetype n = std::min<qsizetype>(top_track_count, qsizetype(tracks.size()));
  std::partial_sort(tracks.begin(), tracks.begin() + n, tracks.end(), higher);
  QList<leader> list;
  for (qsizetype i = 0; i < n; ++i) {
    const ov_track* t = tracks[size_t(i)].track;
    list << leader{t->display_title(), {t->tags().artist(), t->tags().album()}, t->score()};
  }
  top_tracks_ = list;
  return list;
}

QList<ov_statistics::leader> ov_statistics::top_groups_by_score(group_kind kind) const {
  QList<leader> list;
  if (!library_) return list;
  group_places at;
  for (const ov_track* t : library_->tracks_by_id()) {
    const ov_track_group* g = kind == group_kind::album ? t->album_group() : t->artist_group();
    if (g && t->score() != 0) add_to_group(list, at, g, kind == group_kind::album, t->score());
  }
  sort_and_cut(list, top_group_count);
  return list;
}

QList<ov_statistics::leader> ov_statistics::top_groups_by_time(group_kind kind) const {
  QList<leader> list;
  group_places at;
  qint64 removed = 0;
  const QHash<int, qint64>& seconds = history_.seconds_by_track();
  for (auto row = seconds.begin(); row != seconds.end(); ++row) {
    const int id = row.key();
    const qint64 s = row.value();
    if (s <= 0) continue;
    const ov_track* t = library_ ? library_->track_by_id(id) : nullptr;
    if (!t) {
      removed += s;
      continue;
    }
    const ov_track_group* g = kind == group_kind::album ? t->album_group() : t->artist_group();
    if (g) add_to_group(list, at, g, kind == group_kind::album, s);
  }
  if (removed > 0) list << leader{removed_text(), {}, removed};
  sort_and_cut(list, top_group_count);
  return list;
}

QList<ov_statistics::leader> ov_statistics::top_albums_by_score() const {
  if (!albums_by_score_) albums_by_score_ = top_groups_by_score(group_kind::album);
  return *albums_by_score_;
}
QList<ov_statistics::leader> ov_statistics::top_artists_by_score() const {
  if (!artists_by_score_) artists_by_score_ = top_groups_by_score(group_kind::artist);
  return *artists_by_score_;
}
QList<ov_statistics::leader> ov_statistics::top_albums_by_time() const {
  if (!albums_by_time_) albums_by_time_ = top_groups_by_time(group_kind::album);
  return *albums_by_time_;
}
QList<ov_statistics::leader> ov_statistics::top_artists_by_time() const {
  if (!artists_by_time_) artists_by_time_ = top_groups_by_time(group_kind::artist);
  return *artists_by_time_;
}

QList<ov_statistics::leader> ov_statistics::leaders_of(ov_chart chart) const {
  switch (chart) {
    case ov_chart::top_tracks:
      return top_tracks();
    case ov_chart::albums_by_score:
      return top_albums_by_score();
    case ov_chart::artists_by_score:
      return top_artists_by_score();
    case ov_chart::albums_by_time:
      return top_albums_by_time();
    case ov_chart::artists_by_time:
      return top_artists_by_time();
    default:
      return {};
  }
}

// ---- listening and experience ------------------------------------------------------

QList<ov_statistics::listening_bucket> ov_statistics::listening(const QDate& today, int buckets,
                                                                int days_per_bucket) const {
  QList<listening_bucket> list;
  const QMap<QDate, ov_stats_history::listening>& days = history_.listening_by_day();
  for (int b = buckets - 1; b >= 0; --b) {
    listening_bucket bucket;
    bucket.last = today.addDays(-qint64(b) * days_per_bucket);
    bucket.first = bucket.last.addDays(1 - days_per_bucket);
    for (auto it = days.lowerBound(bucket.first); it != days.end() && it.key() <= bucket.last; ++it) {
      bucket.normal += it.value().normal;
      bucket.medley += it.value().medley;
    }
    list << bucket;
  }
  return list;
}

QList<ov_statistics::listening_bucket> ov_statistics::listening_days(const QDate& today) const {
  return listening(today, day_count, 1);
}

QList<ov_statistics::listening_bucket> ov_statistics::listening_weeks(const QDate& today) const {
  return listening(today, week_count, 7);
}

QList<ov_statistics::experience_point> ov_statistics::experience() const {
  QList<experience_point> list;
  qint64 total = 0;
  const QMap<QDate, qint64>& days = history_.experience_by_day();
  for (auto it = days.begin(); it != days.end(); ++it) {
    total += it.value();
    list << experience_point{it.key(), total};
  }
  return list;
}

// The lowest grade seen is where the history starts, not a grade-up.
QList<ov_statistics::grade_up> ov_statistics::grade_ups() const {
  QList<grade_up> list;
  const QMap<int, qint64>& first = history_.first_seen_grade();
  for (auto it = first.begin(); it != first.end(); ++it) {
    if (it == first.begin()) continue;
    const ov_grade_table::grade* g = ov_grade_table::instance().find(it.key());
    list << grade_up{QDateTime::fromSecsSinceEpoch(it.value()).date(), it.key(), g ? g->display_name() : QString()};
  }
  return list;
}

// ---- texts ---------------------------------------------------------------------------

bool ov_statistics::has_data(ov_chart chart, const QDate& today) const {
  switch (chart) {
    case ov_chart::ranks:
      return library_ && !library_->tracks_by_id().isEmpty();
    case ov_chart::listening_days:
    case ov_chart::listening_weeks: {
      const QList<listening_bucket> buckets =
          chart == ov_chart::listening_days ? listening_days(today) : listening_weeks(today);
      return std::any_of(buckets.begin(), buckets.end(),
                         [](const listening_bucket& b) { return b.normal + b.medley > 0; });
    }
    case ov_chart::experience:
      return !history_.experience_by_day().isEmpty();
    default:
      return !leaders_of(chart).isEmpty();
  }
}

QString ov_statistics::hint(ov_chart chart) const {
  if (chart >= ov_chart::albums_by_time && history_.reading()) return tr("Reading the listening history...");
  switch (chart) {
    case ov_chart::ranks:
      return tr("The library is empty.\nAdd music files (File > Add Files) and their ranks show here.");
    case ov_chart::top_tracks:
    case ov_chart::albums_by_score:
    case ov_chart::artists_by_score:
      return tr("No track has scored yet.\nPlay, pick and like tracks, and the leaders show here.");
    case ov_chart::albums_by_time:
    case ov_chart::artists_by_time:
      return tr(
          "Nothing has been listened to since the listening history began.\nPlay some tracks and the leaders "
          "show here.");
    case ov_chart::listening_days:
      return tr("No listening in the last 30 days.\nPlay some tracks and they show here.");
    case ov_chart::listening_weeks:
      return tr("No listening in the last year.\nPlay some tracks and they show here.");
    case ov_chart::experience:
      return tr(
          "The favorite engine has not earned experience since the listening history began.\nPlay some tracks "
          "and it shows here.");
  }
  return {};
}

QString ov_statistics::summary(ov_chart chart, const QDate& today) const {
  if (!has_data(chart, today)) return tr("No data yet.");
  switch (chart) {
    case ov_chart::ranks: {
      const QList<int> counts = rank_counts();
      qint64 total = 0;
      int most = 0;
      for (int i = 0; i < counts.size(); ++i) {
        total += counts[i];
        if (counts[i] > counts[most]) most = i;
      }
      const ov_rank_table& ranks = ov_rank_table::instance();
      const int top = int(counts.size()) - 1;
      return tr("%L1 tracks; %L2 % in %3; %L4 at %5")
          .arg(total)
          .arg(percent(counts[most], total))
          .arg(ranks.name(most))
          .arg(counts[top])
          .arg(ranks.name(top));
    }
    case ov_chart::listening_days:
    case ov_chart::listening_weeks:
      return listening_summary(chart, today);
    case ov_chart::experience: {
      const QList<experience_point> points = experience();
      return tr("%L1 experience earned since %2; grade-ups: %L3")
          .arg(points.last().total)
          .arg(QLocale().toString(points.first().day, QLocale::ShortFormat))
          .arg(grade_ups().size());
    }
    default:
      return leaders_summary(chart);
  }
}

QString ov_statistics::leaders_summary(ov_chart chart) const {
  const QList<leader> list = leaders_of(chart);
  const leader& first = list.first();
  switch (chart) {
    case ov_chart::top_tracks:
      return tr("Leader: %1 with %L2 points").arg(first.label).arg(first.value);
    case ov_chart::albums_by_score:
    case ov_chart::artists_by_score:
      return tr("Leader: %1 with %L2 points in all its tracks").arg(first.label).arg(first.value);
    default:
      return tr("Leader: %1 with %2 listened").arg(first.label, duration_text(first.value));
  }
}

QString ov_statistics::listening_summary(ov_chart chart, const QDate& today) const {
  const bool by_day = chart == ov_chart::listening_days;
  const QList<listening_bucket> buckets = by_day ? listening_days(today) : listening_weeks(today);
  qint64 normal = 0, medley = 0;
  int active = 0;
  for (const listening_bucket& b : buckets) {
    normal += b.normal;
    medley += b.medley;
    if (b.normal + b.medley > 0) ++active;
  }
  const QString text = by_day ? tr("%1 listened in the last 30 days, on %L2 of them; %L3 % in shuffle medley play")
                              : tr("%1 listened in the last 52 weeks, in %L2 of them; %L3 % in shuffle medley play");
  return text.arg(duration_text(normal + medley)).arg(active).arg(percent(medley, normal + medley));
}

QString ov_statistics::csv(ov_chart chart, const QDate& today) const {
  QString out;
  switch (chart) {
    case ov_chart::ranks: {
      out += csv_line({tr("rank"), tr("tracks")});
      const QList<int> counts = rank_counts();
      for (int i = 0; i < counts.size(); ++i)
        out += csv_line({ov_rank_table::instance().name(i), QString::number(counts[i])});
      return out;
    }
    case ov_chart::listening_days:
    case ov_chart::listening_weeks: {
      const bool by_day = chart == ov_chart::listening_days;
      QStringList header = {tr("first day"), tr("last day"), tr("normal play seconds"),
                            tr("shuffle medley play seconds")};
      if (by_day) header[0] = tr("day"), header.removeAt(1);
      out += csv_line(header);
      for (const listening_bucket& b : by_day ? listening_days(today) : listening_weeks(today)) {
        QStringList line = {iso(b.first), iso(b.last), QString::number(b.normal), QString::number(b.medley)};
        if (by_day) line.removeAt(1);
        out += csv_line(line);
      }
      return out;
    }
    case ov_chart::experience: {
      out += csv_line({tr("day"), tr("experience"), tr("grade reached")});
      const QList<grade_up> ups = grade_ups();
      for (const experience_point& p : experience()) {
        QStringList reached;
        for (const grade_up& up : ups)
          if (up.day == p.day) reached << up.name;
        out += csv_line({iso(p.day), QString::number(p.total), reached.join(QStringLiteral(" / "))});
      }
      return out;
    }
    default:
      break;
  }
  QStringList header = {tr("position")};
  switch (chart) {
    case ov_chart::top_tracks:
      header << tr("title") << tr("artist") << tr("album") << tr("score");
      break;
    case ov_chart::albums_by_score:
      header << tr("album") << tr("directory") << tr("score");
      break;
    case ov_chart::artists_by_score:
      header << tr("artist") << tr("score");
      break;
    case ov_chart::albums_by_time:
      header << tr("album") << tr("directory") << tr("seconds");
      break;
    default:
      header << tr("artist") << tr("seconds");
      break;
  }
  out += csv_line(header);
  const QList<leader> list = leaders_of(chart);
  for (int i = 0; i < list.size(); ++i) {
    QStringList line = {QString::number(i + 1), list[i].label};
    for (const QString& d : list[i].details) line << d;
    // The directory column stays, empty, for the "(removed)" entry.
    while (line.size() < header.size() - 1) line << QString();
    out += csv_line(line << QString::number(list[i].value));
  }
  return out;
}
