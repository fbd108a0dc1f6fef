#include "ov_track.h"

#include <QFileInfo>
#include <QStringList>

#include <algorithm>

int ov_track::score() const {
  return std::min(std::max(score_, 0), max_score);
}

QString ov_track::display_title() const {
  if (!tags_.title().isEmpty()) return tags_.title();
  return QFileInfo(tags_.file_path()).completeBaseName();
}

void ov_track::add_score(int delta) {
  const qint64 sum = qint64(score_) + delta;
  score_ = sum < 0 ? 0 : int(std::min<qint64>(sum, max_score));
  dirty_ = true;
}

void ov_track::increment_played() {
  ++played_;
  dirty_ = true;
}
void ov_track::increment_count_n() {
  ++count_n_;
  dirty_ = true;
}
void ov_track::increment_count_s() {
  ++count_s_;
  dirty_ = true;
}
void ov_track::increment_count_ns() {
  ++count_ns_;
  dirty_ = true;
}
void ov_track::increment_count_l() {
  ++count_l_;
  dirty_ = true;
}
void ov_track::increment_count_dl() {
  ++count_dl_;
  dirty_ = true;
}
void ov_track::increment_count_t() {
  ++count_t_;
  dirty_ = true;
}

QString ov_track::counters_text() const {
  return QStringLiteral("%1:%2:%3:%4:%5:%6:%7:%8")
      .arg(score_)
      .arg(played_)
      .arg(count_n_)
      .arg(count_s_)
      .arg(count_ns_)
      .arg(count_l_)
      .arg(count_dl_)
      .arg(count_t_);
}

void ov_track::set_counters_text(const QString& text) {
  const QStringList parts = text.split(QLatin1Char(':'));
  counters values{};
  for (int i = 0; i < 8; ++i) {
    bool ok = false;
    const int v = i < parts.size() ? parts[i].toInt(&ok, 10) : 0;
    values[size_t(i)] = ok ? v : 0;
  }
  set_all_counters(values);
}

ov_track::counters ov_track::all_counters() const {
  return {score_, played_, count_n_, count_s_, count_ns_, count_l_, count_dl_, count_t_};
}

void ov_track::set_all_counters(const counters& values) {
  int* fields[] = {&score_, &played_, &count_n_, &count_s_, &count_ns_, &count_l_, &count_dl_, &count_t_};
  for (size_t i = 0; i < 8; ++i) *fields[i] = values[i];
  stored_fingerprint_ = 0;
}
