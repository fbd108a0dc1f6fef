#pragma once

#include <QList>
#include <QString>

// The catalogue of the 34 favorite-engine skills. Built once on first use
// and only read afterwards; skill ids are stored in the engine record, so
// they never change.
class ovd_skill {
public:
  struct skill {
    int id = 0;
    QString name;   // plain text, not translated
    int grade = 0;  // lowest grade index at which it can be chosen
    int cost = 0;   // capacity it takes ("Size")
    int order_key = 0;
    double effect = 0.0;  // 0 for skills that only switch a rule on
    const char* description_source = "";

    // The description in the user's language.
    QString description() const;
  };

  // Ids the engine refers to by meaning.
  enum id : int {
    score_plus_play_new = 0,
    score_plus_nexts = 1,
    score_plus_buttons = 2,
    score_plus_play_through = 3,
    click_button_plus = 4,
    score_plus_all = 5,
    distribute_album = 6,
    distribute_artist = 7,
    expand_nexts = 8,
    score_boost_all = 9,
    distribution_boost_album = 10,
    distribution_boost_artist = 11,
    dynamic_rate = 12,
    double_score = 13,
    click_button_plus_2 = 14,
    expand_nexts_2 = 15,
    limit_break = 16,
    score_boost_play_new = 17,
    score_boost_nexts = 18,
    score_boost_buttons = 19,
    score_boost_play_through = 20,
    distribution_boost_album_2 = 21,
    distribution_boost_artist_2 = 22,
    dynamic_rate_boost = 23,
    triple_score = 24,
    click_button_plus_3 = 25,
    expand_nexts_3 = 26,
    reverse = 27,
    limit_break_2 = 28,
    score_boost_all_2 = 29,
    quadruple_score = 30,
    limit_break_3 = 31,
    elixir_t = 32,
    elixir_s = 33,
  };

  static const ovd_skill& instance();

  int count() const { return skills_.size(); }
  // Every skill in construction (id) order.
  const QList<skill>& all() const { return skills_; }
  // Linear search by id; null when no skill has it.
  const skill* find(int id) const;
  // Skills whose grade is at most the index, by order key.
  QList<const skill*> available(int grade_index) const;
  // Skills whose grade equals the index, by order key.
  QList<const skill*> new_at(int grade_index) const;

  // Stable sort by ascending order key.
  static void sort_by_order_key(QList<const skill*>& list);

private:
  ovd_skill();

  QList<skill> skills_;
};
