#include "ovgp_favorite_engine.h"

#include "ov_favorite_engine.h"
#include "ovgp_favorite_engine_summary.h"
#include "ovgp_model_skill.h"
#include "ovgp_tableview_skill.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {
QLabel* heading(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  QFont f = label->font();
  f.setBold(true);
  label->setFont(f);
  return label;
}

QString used_of(int used, int limit) {
  return QString::number(used) + QStringLiteral(" / ") + QString::number(limit);
}
}  // namespace

ovgp_favorite_engine::ovgp_favorite_engine(const ov_favorite_engine* engine, QObject* parent)
    : QObject(parent),
      grade_(engine ? engine->grade() : nullptr),
      experience_(engine ? engine->experience() : 0),
      edited_(grade_ ? grade_->skill_capacity : 0, engine ? engine->skills().list() : QList<const ovd_skill::skill*>{}),
      offered_model_(new ovgp_model_skill(this)),
      assigned_model_(new ovgp_model_skill(this)) {
  build_widget();
  connect_signals();
  load_offered();
  refresh();
}

ovgp_favorite_engine::~ovgp_favorite_engine() = default;

void ovgp_favorite_engine::build_widget() {
  widget_ = new QWidget;
  auto* columns = new QHBoxLayout(widget_);
  columns->addWidget(build_offered_column(), 3);
  auto* summary_box = new QGroupBox(tr("Summary"), widget_);
  auto* summary_layout = new QVBoxLayout(summary_box);
  summary_ = new ovgp_favorite_engine_summary(summary_box);
  summary_layout->addWidget(summary_);
  columns->addWidget(summary_box, 3);
  columns->addWidget(build_assigned_column(), 2);
}

QWidget* ovgp_favorite_engine::build_offered_column() {
  auto* column = new QWidget(widget_);
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  offered_view_ = new ovgp_tableview_skill(column);
  offered_view_->setModel(offered_model_);
  offered_view_->fit_columns();
  description_ = new QLabel(tr("Skill description will be here."), column);
  description_->setWordWrap(true);
  description_->setMinimumHeight(48);
  description_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  description_->setFrameShape(QFrame::StyledPanel);
  layout->addWidget(heading(tr("Skills"), column));
  layout->addWidget(offered_view_, 1);
  layout->addWidget(description_);
  return column;
}

QWidget* ovgp_favorite_engine::build_assigned_column() {
  auto* column = new QWidget(widget_);
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  slot_label_ = new QLabel(column);
  capacity_label_ = new QLabel(column);
  assigned_view_ = new ovgp_tableview_skill(column);
  assigned_view_->setModel(assigned_model_);
  assigned_view_->fit_columns();
  layout->addWidget(heading(tr("Slot"), column));
  layout->addWidget(slot_label_);
  layout->addWidget(heading(tr("Capacity"), column));
  layout->addWidget(capacity_label_);
  layout->addWidget(heading(tr("Assigned"), column));
  layout->addWidget(assigned_view_, 1);
  return column;
}

void ovgp_favorite_engine::connect_signals() {
  connect(offered_model_, &ovgp_model_skill::esignal_check_state_changed, this,
          &ovgp_favorite_engine::islot_skill_all_check_changed);
  connect(assigned_model_, &ovgp_model_skill::esignal_check_state_changed, this,
          &ovgp_favorite_engine::islot_skill_current_check_changed);
  connect(offered_view_, &ovgp_tableview_skill::esignal_space_pushed, offered_model_,
          &ovgp_model_skill::eslot_toggle_checked);
  connect(assigned_view_, &ovgp_tableview_skill::esignal_space_pushed, assigned_model_,
          &ovgp_model_skill::eslot_toggle_checked);
  for (ovgp_tableview_skill* view : {offered_view_, assigned_view_})
    connect(view, &ovgp_tableview_skill::esignal_current_changed, this, &ovgp_favorite_engine::islot_skill_selected);
}

void ovgp_favorite_engine::load_offered() {
  const QList<const ovd_skill::skill*> offered =
      grade_ ? ovd_skill::instance().available(grade_->index) : QList<const ovd_skill::skill*>{};
  QList<bool> checked;
  for (const ovd_skill::skill* s : offered) checked << edited_.contains(s);
  offered_model_->set_skills(offered, checked);
}

void ovgp_favorite_engine::refresh() {
  const int slot_limit = grade_ ? grade_->skill_slots : 0;
  const int capacity = grade_ ? grade_->skill_capacity : 0;
  const QList<const ovd_skill::skill*> chosen = edited_.list();
  assigned_model_->set_skills(chosen, QList<bool>(chosen.size(), true));
  offered_model_->set_remaining(slot_limit - edited_.count(), capacity - edited_.total_cost());
  summary_->show_values(grade_, experience_, edited_);
  slot_label_->setText(used_of(edited_.count(), slot_limit));
  capacity_label_->setText(used_of(edited_.total_cost(), capacity));
}

void ovgp_favorite_engine::islot_skill_all_check_changed(int row, bool checked) {
  const ovd_skill::skill* s = offered_model_->skill_at(row);
  if (!s) return;
  if (checked && !edited_.contains(s)) edited_.add(s);
  if (!checked) edited_.remove(s);
  refresh();
}

void ovgp_favorite_engine::islot_skill_current_check_changed(int row, bool checked) {
  const ovd_skill::skill* s = assigned_model_->skill_at(row);
  if (!s || checked) return;
  edited_.remove(s);
  offered_model_->set_checked(offered_model_->row_of(s), false);
  refresh();
}

void ovgp_favorite_engine::islot_skill_selected(ovgp_tableview_skill* view, int row) {
  const ovgp_model_skill* model = view == assigned_view_ ? assigned_model_ : offered_model_;
  const ovd_skill::skill* s = model->skill_at(row);
  if (s) description_->setText(s->description());
}
