#include "ovgv_volume.h"

#include "ov_setting_int.h"
#include "ovg_slider.h"

#include <QHBoxLayout>
#include <QLabel>

#include <algorithm>

namespace {
constexpr int slider_width = 100;
constexpr int percent_width = 25;
QString percent_text(int value) {
  return QString::number(value) + QLatin1Char('%');
}
}  // namespace

ovgv_volume::ovgv_volume(ov_setting_int* stored, QObject* parent) : QObject(parent), stored_(stored) {
  row_ = new QWidget;
  auto* layout = new QHBoxLayout(row_);
  layout->setContentsMargins(0, 0, 0, 0);
  slider_ = new ovg_slider(Qt::Horizontal, row_);
  slider_->setRange(0, 100);
  slider_->setFixedWidth(slider_width);
  slider_->setValue(stored_ ? stored_->read() : 100);
  percent_ = new QLabel(percent_text(slider_->value()), row_);
  // 25 pixels, or what "100%" needs in the font in use, so it is never cut.
  percent_->setFixedWidth(std::max(percent_width, percent_->fontMetrics().horizontalAdvance(percent_text(100)) + 2));
  layout->addWidget(new QLabel(tr("Vol"), row_));
  layout->addWidget(slider_);
  layout->addWidget(percent_);
  layout->addStretch(1);
  connect(slider_, &QSlider::valueChanged, this, &ovgv_volume::islot_slider_volume_value_changed);
  connect(slider_, &QSlider::valueChanged, this, &ovgv_volume::esignal_slider_volume_value_changed);
}

ovgv_volume::~ovgv_volume() = default;

int ovgv_volume::volume() const {
  return slider_->value();
}

void ovgv_volume::islot_slider_volume_value_changed(int value) {
  percent_->setText(percent_text(value));
  if (stored_) stored_->write(value);
}
