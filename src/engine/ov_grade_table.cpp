#include "ov_grade_table.h"

#include "ov_image_cache.h"

#include <QCoreApplication>

QString ov_grade_table::grade::icon_path() const {
  return QStringLiteral(":/icons/grade-") + QString::number(index) + QLatin1Char('-') + icon_word +
         QStringLiteral(".png");
}

QImage ov_grade_table::grade::image() const {
  return ov_image_cache::image(icon_path());
}

QString ov_grade_table::grade::display_name() const {
  return QCoreApplication::translate("ov_grade_table", name.toUtf8().constData());
}

const ov_grade_table& ov_grade_table::instance() {
  static const ov_grade_table table;
  return table;
}

ov_grade_table::ov_grade_table() {
  struct row {
    const char* name;
    const char* icon_word;
    int exp, play_new, selected, button, play_through, play_through_seconds, wait, slot_count, capacity;
  };
  static const row rows[] = {
      {QT_TRANSLATE_NOOP("ov_grade_table", "Rusty"), "rusty", 10, 1, 1, 1, 0, 60, 60, 1, 1},
      {QT_TRANSLATE_NOOP("ov_grade_table", "Iron"), "iron", 90, 2, 2, 1, 1, 55, 50, 2, 2},
      {QT_TRANSLATE_NOOP("ov_grade_table", "Copper"), "copper", 300, 4, 3, 2, 1, 50, 43, 3, 3},
      {QT_TRANSLATE_NOOP("ov_grade_table", "Lead"), "lead", 1000, 6, 4, 3, 1, 45, 38, 5, 8},
      {QT_TRANSLATE_NOOP("ov_grade_table", "Zinc"), "zinc", 2000, 8, 5, 3, 1, 40, 35, 6, 10},
      {QT_TRANSLATE_NOOP("ov_grade_table", "Mercury"), "mercury", 5000, 12, 7, 4, 2, 50, 33, 9, 20},
      {QT_TRANSLATE_NOOP("ov_grade_table", "Silver"), "silver", 10000, 15, 10, 4, 2, 45, 30, 11, 25},
      {QT_TRANSLATE_NOOP("ov_grade_table", "Gold"), "gold", 50000, 20, 12, 5, 3, 40, 25, 17, 65},
      {QT_TRANSLATE_NOOP("ov_grade_table", "Lapis Philosophorum"), "lapis-philosophorum", 300000, 40, 20, 10, 4, 40, 20,
       20, 100},
      {QT_TRANSLATE_NOOP("ov_grade_table", "Lapis Philosophorum"), "lapis-philosophorum", 99999999, 60, 30, 15, 5, 30,
       10, 40, 500},
  };
  int index = 0;
  for (const row& r : rows) {
    grade g;
    g.index = index++;
    g.name = QString::fromLatin1(r.name);
    g.icon_word = QString::fromLatin1(r.icon_word);
    g.exp_requirement = r.exp;
    g.play_new_gain = r.play_new;
    g.selected_gain = r.selected;
    g.button_gain = r.button;
    g.play_through_gain = r.play_through;
    g.play_through_seconds = r.play_through_seconds;
    g.wait_seconds = r.wait;
    g.skill_slots = r.slot_count;
    g.skill_capacity = r.capacity;
    grades_.append(g);
  }
}

const ov_grade_table::grade* ov_grade_table::find(int index) const {
  for (const grade& g : grades_)
    if (g.index == index) return &g;
  return nullptr;
}

const ov_grade_table::grade* ov_grade_table::next(const grade* g) const {
  return g ? find(g->index + 1) : nullptr;
}
