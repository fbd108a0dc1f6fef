#pragma once

#include "ov_grade_table.h"

#include <QDialog>

class QLabel;
class ovg_dialog_favorite_engine_upgraded_comparison;
class ovg_dialog_favorite_engine_upgraded_model;
class ovg_dialog_favorite_engine_upgraded_tableview;

// "Favorite Engine Upgraded": what changes from the old grade to the new one,
// the skills the new grade brings with the description of the selected one,
// and OK.
class ovg_dialog_favorite_engine_upgraded : public QDialog {
  Q_OBJECT

public:
  ovg_dialog_favorite_engine_upgraded(const ov_grade_table::grade& old_grade, const ov_grade_table::grade& new_grade,
                                      QWidget* parent = nullptr);

  ovg_dialog_favorite_engine_upgraded_comparison* comparison() const { return comparison_; }
  ovg_dialog_favorite_engine_upgraded_model* model() const { return model_; }
  ovg_dialog_favorite_engine_upgraded_tableview* table_view() const { return table_view_; }
  QLabel* description_label() const { return description_; }

public slots:
  void islot_tableview_current_changed(int row);

private:
  QWidget* build_grade_header(const ov_grade_table::grade& old_grade, const ov_grade_table::grade& new_grade);
  QWidget* build_new_skills(const ov_grade_table::grade& new_grade);

  ovg_dialog_favorite_engine_upgraded_comparison* comparison_ = nullptr;
  ovg_dialog_favorite_engine_upgraded_model* model_ = nullptr;
  ovg_dialog_favorite_engine_upgraded_tableview* table_view_ = nullptr;
  QLabel* description_ = nullptr;
};
