#include "ovgv_pc_normal.h"

#include "ov_track_pool.h"
#include "ovg_combo_box.h"

#include <QGridLayout>
#include <QLabel>
#include <QWidget>

ovgv_pc_normal::ovgv_pc_normal(ov_settings_group* group, QObject* parent) : QObject(parent), settings_(group) {
  full_ = make_grid_widget(&full_grid_);
  full_->setObjectName(QStringLiteral("pc_normal_full"));
  minimized_ = make_grid_widget(&minimized_grid_);
  minimized_->setObjectName(QStringLiteral("pc_normal_minimized"));
  play_type_ = new ovg_combo_box(full_);
  play_type_->setObjectName(QStringLiteral("play_type"));
  selection_ = new ovg_combo_box(full_);
  selection_->setObjectName(QStringLiteral("selection_type"));
  selection_label_ = new QLabel(tr("Selection") + QStringLiteral(":"), full_);
  fill_combos();
  play_type_->set_current_value(settings_.play_type.read());
  selection_->set_current_value(settings_.selection_type.read());
  apply_enabling();
  place(grid::full);
  connect(play_type_, &QComboBox::currentIndexChanged, this, &ovgv_pc_normal::islot_combobox_play_type_index_changed);
  connect(selection_, &QComboBox::currentIndexChanged, this,
          &ovgv_pc_normal::islot_combobox_selection_type_index_changed);
}

ovgv_pc_normal::~ovgv_pc_normal() = default;

QWidget* ovgv_pc_normal::make_grid_widget(QGridLayout** grid) {
  auto* w = new QWidget;
  *grid = new QGridLayout(w);
  (*grid)->setContentsMargins(0, 0, 0, 0);
  (*grid)->addWidget(new QLabel(tr("Play Type") + QStringLiteral(":"), w), 0, 0);
  (*grid)->setColumnStretch(2, 1);
  return w;
}

void ovgv_pc_normal::fill_combos() {
  const QString plus = QStringLiteral(" + ");
  play_type_->add_item(tr("Normal"), ov_track_pool::play_normal);
  play_type_->add_item(tr("Normal") + plus + tr("Repeat"), ov_track_pool::play_normal_repeat);
  play_type_->add_separator();
  play_type_->add_item(tr("Shuffle"), ov_track_pool::play_shuffle);
  play_type_->add_item(tr("Shuffle") + plus + tr("Repeat"), ov_track_pool::play_shuffle_repeat);
  play_type_->add_separator();
  play_type_->add_item(tr("Random"), ov_track_pool::play_random);
  play_type_->add_item(tr("Repeat Track"), ov_track_pool::play_repeat_track);
  selection_->add_item(tr("High Scored"), ov_track_pool::select_high_scored);
  selection_->add_item(tr("Middle Scored"), ov_track_pool::select_middle_scored);
  selection_->add_item(tr("Low Scored"), ov_track_pool::select_low_scored);
  selection_->add_separator();
  selection_->add_item(tr("Random"), ov_track_pool::select_random);
}

void ovgv_pc_normal::place(grid g) {
  QGridLayout* target = g == grid::full ? full_grid_ : minimized_grid_;
  target->addWidget(play_type_, 0, 1);
  target->addWidget(selection_label_, 1, 0);
  target->addWidget(selection_, 1, 1);
  placed_ = g;
}

ov_track_pool::play_type ovgv_pc_normal::play_type() const {
  return static_cast<ov_track_pool::play_type>(play_type_->current_value());
}

ov_track_pool::selection_type ovgv_pc_normal::selection_type() const {
  return static_cast<ov_track_pool::selection_type>(selection_->current_value());
}

bool ovgv_pc_normal::is_repeat() const {
  const int t = play_type();
  return t == ov_track_pool::play_normal_repeat || t == ov_track_pool::play_shuffle_repeat ||
         t == ov_track_pool::play_repeat_track;
}

bool ovgv_pc_normal::is_shuffle_or_random() const {
  return uses_selection(play_type());
}

bool ovgv_pc_normal::uses_selection(int t) {
  return t == ov_track_pool::play_shuffle || t == ov_track_pool::play_shuffle_repeat || t == ov_track_pool::play_random;
}

void ovgv_pc_normal::apply_enabling() {
  const bool on = uses_selection(play_type());
  selection_label_->setEnabled(on);
  selection_->setEnabled(on);
}

void ovgv_pc_normal::islot_combobox_play_type_index_changed(int) {
  apply_enabling();
  settings_.play_type.write(play_type());
  emit esignal_play_type_changed();
}

void ovgv_pc_normal::islot_combobox_selection_type_index_changed(int) {
  settings_.selection_type.write(selection_type());
}
