#include "ovgv_pc_medley.h"

#include "ov_log.h"
#include "ov_util.h"
#include "ovg_combo_box.h"
#include "ovg_dspinbox.h"
#include "ovgp_medley_preset.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedLayout>
#include <QVBoxLayout>
#include <QWidget>

namespace {
constexpr int config_interval_ms = 5000;
}  // namespace

ovgv_pc_medley::ovgv_pc_medley(ov_settings_group* group, const QList<ov_medley_preset>& presets, QObject* parent)
    : QObject(parent), settings_(group), widget_(new QWidget) {
  build_widgets();
  build_config_fields();
  fill(presets);
  if (count() > 0) select(ov_clamp(settings_.selected_preset.read(), 0, count() - 1));
  connect(combo_, &QComboBox::currentIndexChanged, this, &ovgv_pc_medley::islot_current_preset_changed);
  connect(more_, &QPushButton::clicked, this, &ovgv_pc_medley::esignal_more_clicked);
  connect(collapse_, &QPushButton::clicked, this, &ovgv_pc_medley::esignal_minimize_clicked);
  config_timer_.setInterval(config_interval_ms);
  connect(&config_timer_, &QTimer::timeout, this, &ovgv_pc_medley::islot_timer_config_timeout);
}

ovgv_pc_medley::~ovgv_pc_medley() = default;

void ovgv_pc_medley::build_widgets() {
  widget_->setObjectName(QStringLiteral("pc_medley"));
  combo_ = new ovg_combo_box(widget_);
  combo_->setObjectName(QStringLiteral("preset"));
  combo_->setMinimumWidth(140);
  more_ = new QPushButton(tr("More"), widget_);
  collapse_ = new QPushButton(tr("Collapse"), widget_);
  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel(tr("Preset"), widget_));
  top->addWidget(combo_);
  top->addStretch();
  top->addWidget(more_);
  top->addWidget(collapse_);
  pages_ = new QStackedLayout;
  auto* layout = new QVBoxLayout(widget_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(top);
  layout->addLayout(pages_);
}

void ovgv_pc_medley::build_config_fields() {
  for (ov_setting_real* item :
       {&settings_.fadein_min, &settings_.fadein_max, &settings_.flatline_min, &settings_.flatline_max,
        &settings_.fadeout_min, &settings_.fadeout_max, &settings_.start_position_min, &settings_.start_position_max}) {
    auto* box = new ovg_dspinbox(item->minimum(), item->maximum(), item->default_value(), widget_);
    box->hide();
    config_fields_.emplace_back(box, item);
  }
  config_adjust_ = new QCheckBox(tr("Try to adjust fade in/out length"), widget_);
  config_no_fade_ = new QCheckBox(tr("No fade on begin/end of track"), widget_);
  config_adjust_->hide();
  config_no_fade_->hide();
}

void ovgv_pc_medley::fill(const QList<ov_medley_preset>& presets) {
  reloading_ = true;
  combo_->clear();
  for (const ov_medley_preset& p : presets) {
    auto copy = std::make_unique<ovgp_medley_preset>(p, ovgp_medley_preset::layout_kind::full);
    combo_->add_item(copy->shown_name(), copy->id());
    pages_->addWidget(copy->widget());
    copies_.push_back(std::move(copy));
  }
  reloading_ = false;
}

void ovgv_pc_medley::select(int index) {
  if (combo_->currentIndex() == index)
    islot_current_preset_changed(index);  // the combo does not signal an unchanged index
  else
    combo_->setCurrentIndex(index);
}

void ovgv_pc_medley::reload_presets(const QList<ov_medley_preset>& presets) {
  const int index = combo_->currentIndex();
  const std::optional<int> selected_id =
      index >= 0 && index < count() ? std::optional<int>(copies_[index]->id()) : std::nullopt;
  for (const auto& copy : copies_) pages_->removeWidget(copy->widget());
  reloading_ = true;
  combo_->clear();
  copies_.clear();
  fill(presets);
  if (!selected_id) return;
  for (int i = 0; i < count(); ++i)
    if (copies_[i]->id() == *selected_id) return select(i);
}

void ovgv_pc_medley::islot_current_preset_changed(int index) {
  ov_log_write(ov_log::DEBUG, QStringLiteral("pc_medley"),
               QStringLiteral("preset changed to index= ") + QString::number(index));
  if (reloading_ || index < 0 || index >= count()) return;
  pages_->setCurrentWidget(copies_[index]->widget());
  settings_.selected_preset.write(index);
}

std::optional<ov_medley_values> ovgv_pc_medley::preset_values() const {
  const int index = combo_->currentIndex();
  if (index < 0 || index >= count()) return std::nullopt;
  return copies_[index]->values();
}

QWidget* ovgv_pc_medley::current_page() const {
  return pages_->currentWidget();
}

void ovgv_pc_medley::islot_timer_config_timeout() {
  for (const auto& [box, item] : config_fields_) item->write(box->value());
}
