#include "ovgv_favorite_engine_icon.h"

#include <QMouseEvent>
#include <QPainter>

ovgv_favorite_engine_icon::ovgv_favorite_engine_icon(const QImage& image, int draw_width, int draw_height,
                                                     QWidget* parent)
    : QWidget(parent), image_(image), draw_size_(draw_width, draw_height) {
  setMinimumSize(draw_size_);
}

void ovgv_favorite_engine_icon::set_image(const QImage& image) {
  image_ = image;
  scaled_ = QImage();
  update();
}

void ovgv_favorite_engine_icon::paintEvent(QPaintEvent*) {
  if (image_.isNull()) return;
  if (scaled_.isNull()) scaled_ = image_.scaled(draw_size_, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  QPainter painter(this);
  painter.drawImage(0, 0, scaled_);
}

void ovgv_favorite_engine_icon::mouseDoubleClickEvent(QMouseEvent* event) {
  emit esignal_double_clicked();
  QWidget::mouseDoubleClickEvent(event);
}
