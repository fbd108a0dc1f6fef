#pragma once

#include <QImage>
#include <QList>
#include <QString>

// The ten grades of the favorite engine, Rusty .. Lapis Philosophorum, with
// the numbers the engine uses while the user is in each. Built once on first
// use and only read afterwards.
class ov_grade_table {
public:
  struct grade {
    int index = 0;
    QString name;  // English name as tabulated
    QString icon_word;
    int exp_requirement = 0;  // experience needed to upgrade; also its cap
    int play_new_gain = 0;
    int selected_gain = 0;
    int button_gain = 0;
    int play_through_gain = 0;
    int play_through_seconds = 0;
    int wait_seconds = 0;
    int skill_slots = 0;
    int skill_capacity = 0;

    // ":/icons/grade-<index>-<icon word>.png"
    QString icon_path() const;
    // Loaded on first request, then kept; null when the resource is missing.
    QImage image() const;
    // The name in the user's language.
    QString display_name() const;
  };

  static const ov_grade_table& instance();

  int count() const { return grades_.size(); }
  // Linear search by index; null when no grade has it.
  const grade* find(int index) const;
  const grade* at(int index) const { return find(index); }
  const grade* first() const { return find(0); }
  // The grade with the next index, or null at the last grade.
  const grade* next(const grade* g) const;

  static constexpr int last_index = 9;

private:
  ov_grade_table();

  QList<grade> grades_;
};
