#include "ovg_slider.h"

#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>

#include <cmath>

ovg_slider::ovg_slider(Qt::Orientation orientation, QWidget* parent) : QSlider(orientation, parent) {}

int ovg_slider::value_at(QPoint pos) const {
  const bool horizontal = orientation() == Qt::Horizontal;
  const int length = horizontal ? width() : height();
  if (length <= 0) return minimum();
  int offset = horizontal ? pos.x() : length - pos.y();
  if (horizontal && invertedAppearance()) offset = length - offset;
  const double fraction = static_cast<double>(offset) / length;
  const double value = minimum() + (static_cast<double>(maximum()) - minimum()) * fraction;
  return static_cast<int>(
      std::clamp(std::trunc(value), static_cast<double>(minimum()), static_cast<double>(maximum())));
}

void ovg_slider::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) setValue(value_at(event->position().toPoint()));
  QSlider::mousePressEvent(event);
}

QRect ovg_slider::handle_rect() const {
  QStyleOptionSlider option;
  initStyleOption(&option);
  return style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
}

void ovg_slider::sliderChange(SliderChange change) {
  if (change == SliderValueChange) {
    const QRect handle = handle_rect();
    if (handle == shown_handle_) return;
    shown_handle_ = handle;
  } else {
    shown_handle_ = QRect();
  }
  QSlider::sliderChange(change);
}

void ovg_slider::resizeEvent(QResizeEvent* event) {
  shown_handle_ = QRect();
  QSlider::resizeEvent(event);
}
