#include "ovgv_favorite_engine.h"

#include "ov_favorite_engine.h"
#include "ovg_bar_text.h"
#include "ovg_icon.h"
#include "ovgv_activity_icons.h"
#include "ovgv_favorite_engine_icon.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString bar_style = QStringLiteral("QProgressBar { text-align: center;}");
constexpr int grade_icon_size = 64;
constexpr int activity_icon_size = 22;

void set_bold(QWidget* w, bool bold) {
  QFont f = w->font();
  if (f.bold() == bold) return;
  f.setBold(bold);
  w->setFont(f);
}

ovg_progress_bar* make_bar(const QString& format, QWidget* parent) {
  auto* bar = new ovg_progress_bar(parent);
  bar->setFormat(format);
  bar->setStyleSheet(bar_style);
  bar->setMinimum(0);
  return bar;
}
}  // namespace

ovgv_favorite_engine::ovgv_favorite_engine(ov_favorite_engine* engine, QWidget* parent_widget, QObject* parent)
    : QObject(parent), engine_(engine) {
  build_widgets(parent_widget);
  connect_signals();
  islot_engine_upgraded();
  islot_update_info();
}

ovgv_favorite_engine::~ovgv_favorite_engine() = default;

QWidget* ovgv_favorite_engine::widget() const {
  return box_;
}

ovg_icon* ovgv_favorite_engine::activity_icon(int kind) const {
  const auto it = activity_icons_.find(kind);
  return it == activity_icons_.end() ? nullptr : it->second;
}

void ovgv_favorite_engine::build_widgets(QWidget* parent_widget) {
  box_ = new QGroupBox(tr("Favorite Engine Status"), parent_widget);
  auto* columns = new QHBoxLayout(box_);
  columns->addLayout(build_grade_column());
  auto* right = new QVBoxLayout;
  right->addLayout(build_bars_column());
  right->addLayout(build_icon_row());
  right->addLayout(build_button_row());
  columns->addLayout(right, 1);
}

QLayout* ovgv_favorite_engine::build_grade_column() {
  grade_icon_ = new ovgv_favorite_engine_icon(QImage(), grade_icon_size, grade_icon_size, box_);
  grade_icon_->setToolTip(tr("Double click to preferences"));
  grade_label_ = new QLabel(box_);
  grade_label_->setAlignment(Qt::AlignCenter);
  grade_label_->setWordWrap(true);
  grade_label_->setMaximumWidth(grade_icon_size + 24);
  auto* column = new QVBoxLayout;
  column->addWidget(grade_icon_, 0, Qt::AlignHCenter);
  column->addWidget(grade_label_);
  column->addStretch();
  return column;
}

QLayout* ovgv_favorite_engine::build_bars_column() {
  exp_bar_ = make_bar(tr("%v EXP"), box_);
  wait_bar_ = make_bar(tr("%v sec"), box_);
  auto* column = new QVBoxLayout;
  column->addWidget(new QLabel(tr("EXP to next grade"), box_));
  column->addWidget(exp_bar_);
  column->addWidget(wait_bar_);
  return column;
}

QLayout* ovgv_favorite_engine::build_icon_row() {
  auto* row = new QHBoxLayout;
  for (const auto& entry : ovgv_activity_icons::all) {
    auto* icon = new ovg_icon(QString::fromLatin1(entry.path), box_);
    icon->setFixedSize(activity_icon_size, activity_icon_size);
    activity_icons_[entry.kind] = icon;
    row->addWidget(icon);
  }
  row->addSpacing(8);
  multiplier_icon_ = new ovg_icon(ovgv_activity_icons::multiplier_path(2), box_);
  multiplier_icon_->setFixedSize(activity_icon_size * 2, activity_icon_size);
  multiplier_icon_->hide();
  row->addWidget(multiplier_icon_);
  row->addStretch();
  return row;
}

QLayout* ovgv_favorite_engine::build_button_row() {
  upgrade_button_ = new QPushButton(tr("Upgrade"), box_);
  set_bold(upgrade_button_, true);
  pref_button_ = new QPushButton(tr("Preferences") + QStringLiteral("..."), box_);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(upgrade_button_);
  row->addWidget(pref_button_);
  return row;
}

void ovgv_favorite_engine::connect_signals() {
  connect(upgrade_button_, &QPushButton::clicked, this, &ovgv_favorite_engine::esignal_grade_up_clicked);
  connect(pref_button_, &QPushButton::clicked, this, &ovgv_favorite_engine::esignal_icon_double_clicked);
  connect(grade_icon_, &ovgv_favorite_engine_icon::esignal_double_clicked, this,
          &ovgv_favorite_engine::esignal_icon_double_clicked);
  if (!engine_) return;
  connect(engine_, &ov_favorite_engine::esignal_status_changed, this, &ovgv_favorite_engine::islot_update_info);
  connect(engine_, &ov_favorite_engine::esignal_pref_changed, this, &ovgv_favorite_engine::islot_engine_pref_changed);
  connect(engine_, &ov_favorite_engine::esignal_upgraded, this, &ovgv_favorite_engine::islot_engine_upgraded);
}

void ovgv_favorite_engine::islot_update_info() {
  if (!box_ || !engine_) return;
  update_experience();
  update_waiting();
  update_activities();
  update_multiplier();
}

void ovgv_favorite_engine::update_experience() {
  const bool can_upgrade = engine_->can_upgrade();
  exp_bar_->setValue(engine_->experience());
  set_bold(exp_bar_, can_upgrade);
  upgrade_button_->setVisible(can_upgrade);
  pref_button_->setVisible(!can_upgrade);
}

void ovgv_favorite_engine::update_waiting() {
  wait_bar_->set_value_in_place(engine_->time_left());
  set_bold(wait_bar_, engine_->time_left() != engine_->wait_seconds());
}

void ovgv_favorite_engine::update_activities() {
  for (const auto& [kind, icon] : activity_icons_) icon->setEnabled(!engine_->is_waiting(kind));
}

void ovgv_favorite_engine::update_multiplier() {
  const int multiplier = engine_->score_multiplier();
  if (multiplier == 1) {
    multiplier_icon_->hide();
    return;
  }
  multiplier_icon_->set_path(ovgv_activity_icons::multiplier_path(multiplier));
  multiplier_icon_->show();
}

void ovgv_favorite_engine::islot_engine_pref_changed() {
  if (!box_ || !engine_) return;
  wait_bar_->setRange(0, engine_->wait_seconds());
}

void ovgv_favorite_engine::islot_engine_upgraded() {
  if (!box_ || !engine_) return;
  const ov_grade_table::grade* grade = engine_->grade();
  if (grade) {
    grade_label_->setText(grade->display_name());
    grade_icon_->set_image(grade->image());
    exp_bar_->setRange(0, grade->exp_requirement);
  }
  wait_bar_->setRange(0, engine_->wait_seconds());
}
