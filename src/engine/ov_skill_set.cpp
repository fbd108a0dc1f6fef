#include "ov_skill_set.h"

#include <QStringList>

#include <algorithm>

ov_skill_set::ov_skill_set(int capacity, const QList<const skill*>& initial)
    : capacity_(std::max(static_cast<int>(initial.size()), capacity)) {
  for (const skill* s : initial)
    if (s) skills_.append(s);
  ovd_skill::sort_by_order_key(skills_);
}

void ov_skill_set::add(const skill* s) {
  if (!s) return;
  skills_.append(s);
  ovd_skill::sort_by_order_key(skills_);
}

void ov_skill_set::remove(const skill* s) {
  skills_.removeOne(s);
}

bool ov_skill_set::contains_id(int id) const {
  for (const skill* s : skills_)
    if (s->id == id) return true;
  return false;
}

int ov_skill_set::total_cost() const {
  int sum = 0;
  for (const skill* s : skills_) sum += s->cost;
  return sum;
}

double ov_skill_set::effect(int id) const {
  for (const skill* s : skills_)
    if (s->id == id) return s->effect;
  return 0.0;
}

bool ov_skill_set::can_choose(const skill* s, int slot_count, int capacity_limit) const {
  if (!s) return false;
  if (contains(s)) return true;
  return slot_count - count() >= 1 && s->cost <= capacity_limit - total_cost();
}

QString ov_skill_set::ids_text() const {
  QStringList parts;
  for (const skill* s : skills_) parts.append(QString::number(s->id));
  return parts.join(QLatin1Char(' '));
}
