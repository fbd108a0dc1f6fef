#include "ov_rank_table.h"

#include "ov_image_cache.h"

#include <algorithm>

const ov_rank_table& ov_rank_table::instance() {
  static const ov_rank_table table;
  return table;
}

ov_rank_table::ov_rank_table() {
  add(QStringLiteral("F"), QStringLiteral("f"), 0, 19);
  add(QStringLiteral("F+"), QStringLiteral("fp"), 20, 49);
  add(QStringLiteral("E"), QStringLiteral("e"), 50, 99);
  add(QStringLiteral("E+"), QStringLiteral("ep"), 100, 199);
  add(QStringLiteral("D"), QStringLiteral("d"), 200, 349);
  add(QStringLiteral("D+"), QStringLiteral("dp"), 350, 599);
  add(QStringLiteral("C"), QStringLiteral("c"), 600, 999);
  add(QStringLiteral("C+"), QStringLiteral("cp"), 1000, 1499);
  add(QStringLiteral("B"), QStringLiteral("b"), 1500, 2499);
  add(QStringLiteral("B+"), QStringLiteral("bp"), 2500, 3999);
  add(QStringLiteral("A"), QStringLiteral("a"), 4000, 5999);
  add(QStringLiteral("A+"), QStringLiteral("ap"), 6000, 9999);
  add(QStringLiteral("S"), QStringLiteral("s"), 10000, 49999);
  add(QStringLiteral("S+"), QStringLiteral("sp"), 50000, 499999);
  add(QStringLiteral("SS"), QStringLiteral("ss"), 500000, 99999999);
}

void ov_rank_table::add(const QString& name, const QString& icon_word, int lowest, int highest) {
  if (lowest >= highest) return;
  ranks_.append(rank{static_cast<int>(ranks_.size()), name, icon_word, lowest, highest});
}

const ov_rank_table::rank* ov_rank_table::at(int index) const {
  if (index < 0 || index >= ranks_.size()) return nullptr;
  return &ranks_[index];
}

const ov_rank_table::rank* ov_rank_table::find_by_score(int score) const {
  for (const rank& r : ranks_)
    if (r.lowest <= score && score <= r.highest) return &r;
  return nullptr;
}

int ov_rank_table::index_of(int score) const {
  return rank_index(std::clamp(score, lowest_score, highest_score));
}

int ov_rank_table::rank_index(int score) const {
  const rank* r = find_by_score(score);
  return r ? r->index : 0;
}

QString ov_rank_table::name_of(int score) const {
  const rank* r = find_by_score(score);
  return r ? r->name : QString();
}

QString ov_rank_table::icon_of(int score) const {
  const rank* r = find_by_score(score);
  return r ? r->icon_path() : QString();
}

QImage ov_rank_table::image_of(int score) const {
  const rank* r = find_by_score(score);
  return r ? ov_image_cache::image(r->icon_path()) : QImage();
}

int ov_rank_table::highest_score_of(const QString& name) const {
  for (const rank& r : ranks_)
    if (r.name == name) return r.highest;
  return 0;
}

QString ov_rank_table::name(int index) const {
  const rank* r = at(index);
  return r ? r->name : QString();
}

int ov_rank_table::lowest(int index) const {
  const rank* r = at(index);
  return r ? r->lowest : 0;
}

int ov_rank_table::highest(int index) const {
  const rank* r = at(index);
  return r ? r->highest : 0;
}

QString ov_rank_table::icon_path(int index) const {
  const rank* r = at(index);
  return r ? r->icon_path() : QString();
}

QImage ov_rank_table::image(int index) const {
  const rank* r = at(index);
  return r ? ov_image_cache::image(r->icon_path()) : QImage();
}
