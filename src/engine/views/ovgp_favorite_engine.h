#pragma once

#include "ov_adoptable.h"
#include "ov_grade_table.h"
#include "ov_skill_set.h"

#include <QObject>

class QLabel;
class QWidget;
class ov_favorite_engine;
class ovgp_favorite_engine_summary;
class ovgp_model_skill;
class ovgp_tableview_skill;

// The favorite engine's skill page: the skills of the current grade with
// check boxes, the skills chosen so far ("Assigned"), the slots and capacity
// left, and the whole summary of what the chosen skills give. Works on a
// copy of the engine's skills; the caller hands edited_skills() to the
// engine when the dialog is accepted. Builds and owns its widget.
class ovgp_favorite_engine : public QObject {
  Q_OBJECT

public:
  explicit ovgp_favorite_engine(const ov_favorite_engine* engine, QObject* parent = nullptr);
  ~ovgp_favorite_engine() override;

  QWidget* widget() const { return widget_; }
  const ov_skill_set& edited_skills() const { return edited_; }

  ovgp_model_skill* offered_model() const { return offered_model_; }
  ovgp_model_skill* assigned_model() const { return assigned_model_; }
  ovgp_tableview_skill* offered_view() const { return offered_view_; }
  ovgp_favorite_engine_summary* summary() const { return summary_; }
  QLabel* slot_label() const { return slot_label_; }
  QLabel* capacity_label() const { return capacity_label_; }
  QLabel* description_label() const { return description_; }

public slots:
  void islot_skill_all_check_changed(int row, bool checked);
  void islot_skill_current_check_changed(int row, bool checked);
  void islot_skill_selected(ovgp_tableview_skill* view, int row);

private:
  void build_widget();
  QWidget* build_offered_column();
  QWidget* build_assigned_column();
  void connect_signals();
  void load_offered();
  void refresh();

  const ov_grade_table::grade* grade_;
  int experience_;
  ov_skill_set edited_;
  ov_adoptable<QWidget> widget_;
  ovgp_model_skill* offered_model_;
  ovgp_model_skill* assigned_model_;
  ovgp_tableview_skill* offered_view_ = nullptr;
  ovgp_tableview_skill* assigned_view_ = nullptr;
  ovgp_favorite_engine_summary* summary_ = nullptr;
  QLabel* slot_label_ = nullptr;
  QLabel* capacity_label_ = nullptr;
  QLabel* description_ = nullptr;
};
