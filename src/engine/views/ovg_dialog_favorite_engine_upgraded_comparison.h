#pragma once

#include "ov_grade_table.h"

#include <QWidget>

#include <map>

class QGridLayout;
class QLabel;

// What an upgrade changes: each row shows the old grade's value, "->" and
// the new grade's value, the new one bold and blue where it differs.
class ovg_dialog_favorite_engine_upgraded_comparison : public QWidget {
  Q_OBJECT

public:
  enum item : int { play_new, selected, push_button, play_through, wait_time, capacity, slot_count };

  ovg_dialog_favorite_engine_upgraded_comparison(const ov_grade_table::grade& old_grade,
                                                 const ov_grade_table::grade& new_grade, QWidget* parent = nullptr);

  QLabel* old_label(item which) const;
  QLabel* new_label(item which) const;

  // The text a grade shows for an item.
  static QString value_text(item which, const ov_grade_table::grade& grade);

private:
  void add_row(QGridLayout* grid, int row, item which, QWidget* caption);

  const ov_grade_table::grade& old_;
  const ov_grade_table::grade& new_;
  std::map<item, std::pair<QLabel*, QLabel*>> labels_;  // old, new
};
