#pragma once

#include "ov_grade_table.h"
#include "ov_skill_set.h"

#include <QWidget>

#include <map>

class QGridLayout;
class QLabel;
class QProgressBar;
class ovgp_skill_preview;
class ovgv_favorite_engine_icon;

// The whole summary of the skill preferences page: what the engine gives at
// the grade with the edited skills, beside the grade's own values. Values
// that differ from the grade's are drawn in blue.
class ovgp_favorite_engine_summary : public QWidget {
  Q_OBJECT

public:
  enum item : int {
    play_new,
    selected,
    push_buttons,
    play_through,
    album,
    artist,
    dynamic_rate,
    wait_time,
    gain_limit,
    nexts_panel,
    button_life,
    specials_1,
    specials_2,
  };

  explicit ovgp_favorite_engine_summary(QWidget* parent = nullptr);

  void show_values(const ov_grade_table::grade* grade, int experience, const ov_skill_set& skills);

  // The label holding an item's value with the edited skills.
  QLabel* value_label(item which) const;
  // The example label of a Dynamic Rate rank difference (1, 2, 3, -1, -2).
  QLabel* dynamic_rate_label(int rank_difference) const;

  static QString style_for(bool changed);

private:
  struct compare_row {
    QLabel* base = nullptr;
    QLabel* value = nullptr;
    QLabel* extra = nullptr;
  };

  void build_grade_block(QGridLayout* grid, int& row);
  void build_score_block(QGridLayout* grid, int& row);
  void build_distribute_block(QGridLayout* grid, int& row);
  void build_dynamic_rate_block(QGridLayout* grid, int& row);
  void build_limits_block(QGridLayout* grid, int& row);
  void build_specials_block(QGridLayout* grid, int& row);
  void add_heading(QGridLayout* grid, int& row, const QString& text);
  compare_row& add_compare_row(QGridLayout* grid, int& row, item which, QWidget* caption, const QString& unit);
  QLabel* add_text_row(QGridLayout* grid, int& row, item which, const QString& caption, bool bold = false);

  void show_grade(const ov_grade_table::grade* grade, int experience);
  void show_scores(const ov_grade_table::grade* grade, const ovgp_skill_preview& preview);
  void show_distribute(const ovgp_skill_preview& preview);
  void show_dynamic_rate(const ovgp_skill_preview& preview);
  void show_limits(const ov_grade_table::grade* grade, const ovgp_skill_preview& preview);
  void show_specials(const ovgp_skill_preview& preview);
  void show_compare(item which, int base, int value, const QString& extra = QString());

  ovgv_favorite_engine_icon* grade_icon_ = nullptr;
  QLabel* grade_name_ = nullptr;
  QProgressBar* exp_bar_ = nullptr;
  std::map<item, compare_row> compares_;
  std::map<item, QLabel*> texts_;
  std::map<int, QLabel*> rate_examples_;  // by rank difference
  QWidget* rate_examples_box_ = nullptr;
};
