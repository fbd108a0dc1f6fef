#pragma once

#include "ovd_skill.h"

#include <QList>
#include <QString>

// A selection of skills: references into the catalogue (not owned), kept in
// ascending order key (equal keys keep the order they were added in), and a
// capacity. The set itself enforces neither slots nor capacity.
class ov_skill_set {
public:
  using skill = ovd_skill::skill;

  ov_skill_set() = default;
  // Capacity = the larger of the list's length and the given capacity.
  explicit ov_skill_set(int capacity, const QList<const skill*>& initial = {});

  void add(const skill* s);
  // Removes the first occurrence, if any.
  void remove(const skill* s);
  bool contains(const skill* s) const { return s && skills_.contains(s); }
  bool contains_id(int id) const;
  int count() const { return skills_.size(); }
  QList<const skill*> list() const { return skills_; }
  int capacity() const { return capacity_; }
  int total_cost() const;

  // The effect value of the skill with this id when it is in the set, else 0.
  double effect(int id) const;

  // The choosing rule of the skill editor: an unchosen skill can be added only
  // while a slot remains and its cost fits the remaining capacity.
  bool can_choose(const skill* s, int slot_count, int capacity_limit) const;

  // Ids joined by one blank in the set's order; empty for an empty set.
  QString ids_text() const;

  bool operator==(const ov_skill_set& other) const { return skills_ == other.skills_ && capacity_ == other.capacity_; }

private:
  QList<const skill*> skills_;
  int capacity_ = 0;
};
