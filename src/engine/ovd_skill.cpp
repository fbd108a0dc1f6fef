#include "ovd_skill.h"

#include <QCoreApplication>

#include <algorithm>

QString ovd_skill::skill::description() const {
  return QCoreApplication::translate("ovd_skill", description_source);
}

const ovd_skill& ovd_skill::instance() {
  static const ovd_skill catalogue;
  return catalogue;
}

ovd_skill::ovd_skill() {
  struct row {
    const char* name;
    int grade, cost, order_key;
    double effect;
    const char* description;
  };
  static const row rows[] = {
      {"Score Plus (Play Newly)", 1, 1, 200, 2,
       QT_TRANSLATE_NOOP("ovd_skill", "Score is increased by 2 (on Play New).")},
      {"Score Plus (Nexts)", 1, 1, 201, 1, QT_TRANSLATE_NOOP("ovd_skill", "Score is increased by 1 (on Nexts).")},
      {"Score Plus (Favorite Buttons)", 1, 1, 202, 1,
       QT_TRANSLATE_NOOP("ovd_skill", "Score is increased by 1 (on Push Buttons).")},
      {"Score Plus (Play Through)", 1, 1, 203, 1,
       QT_TRANSLATE_NOOP("ovd_skill", "Score is increased by 1 (on Play Through).")},
      {"Click Button Plus", 1, 2, 411, 1,
       QT_TRANSLATE_NOOP("ovd_skill", "Increase(+1) number of click count capacity for Like/Dislike Buttons.")},
      {"Score Plus (All)", 3, 3, 204, 2, QT_TRANSLATE_NOOP("ovd_skill", "Score is increased by 2 for all activity.")},
      {"Distribute Score (Album)", 3, 4, 300, 0.05,
       QT_TRANSLATE_NOOP("ovd_skill", "Add score to 3 tracks randomly which belongs to same Album (5% of score).")},
      {"Distribute Score (Artist)", 3, 4, 310, 0.05,
       QT_TRANSLATE_NOOP("ovd_skill", "Add score to 3 tracks randomly which belongs to same Artist (5% of score).")},
      {"Expand Nexts", 3, 3, 400, 1, QT_TRANSLATE_NOOP("ovd_skill", "Expand the Nexts panel by 1 box.")},
      {"Score Boost (All)", 5, 5, 210, 1.2,
       QT_TRANSLATE_NOOP("ovd_skill", "Score is increased by 20% for all activity.")},
      {"Distribution Boost (Album)", 5, 4, 301, 0.07,
       QT_TRANSLATE_NOOP("ovd_skill", "Increase effect of Distribute Score (Album) to 4 tracks and 7% of score.")},
      {"Distribution Boost (Artist)", 5, 4, 311, 0.07,
       QT_TRANSLATE_NOOP("ovd_skill", "Increase effect of Distribute Score (Artist) to 4 tracks and 7% of score.")},
      {"Dynamic Rate", 5, 8, 500, 0,
       QT_TRANSLATE_NOOP("ovd_skill",
                         "Change score rate on select Nexts by their ranks. Track get higher score if it was "
                         "selected than higher ranked one. Vice versa.")},
      {"Double Score", 5, 8, 700, 2, QT_TRANSLATE_NOOP("ovd_skill", "It makes score doubled for next gaining.")},
      {"Click Button Plus II", 5, 4, 411, 1,
       QT_TRANSLATE_NOOP("ovd_skill", "Increase(+1) number of click count capacity for Like/Dislike Buttons.")},
      {"Expand Nexts II", 5, 4, 401, 1, QT_TRANSLATE_NOOP("ovd_skill", "Expand the Nexts panel by 1 box.")},
      {"Limit Break", 5, 5, 800, 300,
       QT_TRANSLATE_NOOP("ovd_skill", "It breaks limitation on gaining score (max 100 -> 300).")},
      {"Score Boost (Play Newly)", 7, 8, 212, 1.3,
       QT_TRANSLATE_NOOP("ovd_skill", "Score is increased by 30% (on Play New).")},
      {"Score Boost (Nexts)", 7, 8, 213, 1.2, QT_TRANSLATE_NOOP("ovd_skill", "Score is increased by 20% (on Nexts).")},
      {"Score Boost (Favorite Buttons)", 7, 8, 214, 1.2,
       QT_TRANSLATE_NOOP("ovd_skill", "Score is increased by 20% (on Push Buttons).")},
      {"Score Boost (Play Through)", 7, 8, 215, 1.2,
       QT_TRANSLATE_NOOP("ovd_skill", "Score is increased by 20% (on Play Through).")},
      {"Distribution Boost (Album) II", 7, 8, 302, 0.1,
       QT_TRANSLATE_NOOP("ovd_skill", "Increase effect of Distribute Score (Album) to 5 tracks and 10% of score.")},
      {"Distribution Boost (Artist) II", 7, 8, 312, 0.1,
       QT_TRANSLATE_NOOP("ovd_skill", "Increase effect of Distribute Score (Artist) to 5 tracks and 10% of score.")},
      {"Dynamic Rate Boost", 7, 15, 501, 1.5,
       QT_TRANSLATE_NOOP("ovd_skill", "Effect of \"Rate Revolution\" is increased by 50%.")},
      {"Triple Score", 7, 20, 701, 3,
       QT_TRANSLATE_NOOP("ovd_skill",
                         "It makes score tripled for next gaining. (it can be duplicated with \"Double\")")},
      {"Click Button Plus III", 7, 8, 412, 1,
       QT_TRANSLATE_NOOP("ovd_skill", "Increase(+1) number of click count capacity for Like/Dislike Buttons.")},
      {"Expand Nexts III", 7, 8, 402, 2, QT_TRANSLATE_NOOP("ovd_skill", "Expand the Nexts panel by 2 box.")},
      {"Reverse", 7, 8, 600, 0, QT_TRANSLATE_NOOP("ovd_skill", "Reverse positive/negative at gaining score.")},
      {"Limit Break II", 7, 12, 801, 2000,
       QT_TRANSLATE_NOOP("ovd_skill", "It breaks limitation on gaining score (max 100 -> 2000).")},
      {"Score Boost (All) II", 8, 20, 211, 1.3, QT_TRANSLATE_NOOP("ovd_skill", "Score is increased by 30%.")},
      {"Quadruple Score", 8, 40, 702, 4,
       QT_TRANSLATE_NOOP("ovd_skill",
                         "It makes score quadrupled for next gaining. (it can be duplicated with "
                         "\"Double\", \"Triple\")")},
      {"Limit Break III", 8, 20, 802, 5000,
       QT_TRANSLATE_NOOP("ovd_skill", "It breaks limitation on gaining score (max 100 -> 5000).")},
      {"Elixir (T)", 9, 100, 902, 3, QT_TRANSLATE_NOOP("ovd_skill", "It makes wait time to 3.")},
      {"Elixir (S)", 9, 100, 903, 99999,
       QT_TRANSLATE_NOOP("ovd_skill", "It breaks score limitation (max 100 -> 99999).")},
  };
  int id = 0;
  for (const row& r : rows) {
    skills_.append(skill{id++, QString::fromLatin1(r.name), r.grade, r.cost, r.order_key, r.effect, r.description});
  }
}

const ovd_skill::skill* ovd_skill::find(int id) const {
  for (const skill& s : skills_)
    if (s.id == id) return &s;
  return nullptr;
}

void ovd_skill::sort_by_order_key(QList<const skill*>& list) {
  std::stable_sort(list.begin(), list.end(),
                   [](const skill* a, const skill* b) { return a->order_key < b->order_key; });
}

QList<const ovd_skill::skill*> ovd_skill::available(int grade_index) const {
  QList<const skill*> result;
  for (const skill& s : skills_)
    if (s.grade <= grade_index) result.append(&s);
  sort_by_order_key(result);
  return result;
}

QList<const ovd_skill::skill*> ovd_skill::new_at(int grade_index) const {
  QList<const skill*> result;
  for (const skill& s : skills_)
    if (s.grade == grade_index) result.append(&s);
  sort_by_order_key(result);
  return result;
}
