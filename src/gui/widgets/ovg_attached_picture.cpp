#include "ovg_attached_picture.h"

#include <QPainter>

ovg_attached_picture::ovg_attached_picture(int side, QWidget* parent) : QWidget(parent), side_(side) {
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  resize(side, side);
}

namespace {
// Loaded once on the GUI thread; the resource never changes.
const QImage& no_image() {
  static const QImage image(QString::fromLatin1(ovg_attached_picture::no_image_path));
  return image;
}
}  // namespace

void ovg_attached_picture::set_image(const QImage& image) {
  no_image_ = image.isNull();
  image_ = no_image_ ? no_image() : image;
  scaled_ = QImage();
  // With an image every pixel is painted here, so a repaint (the incoming
  // cover growing on every tick of a fade-in) leaves the widgets below alone.
  setAttribute(Qt::WA_OpaquePaintEvent, !image_.isNull());
  update();
}

const QImage& ovg_attached_picture::scaled() {
  if (scaled_.isNull() || scaled_.size() != size())
    scaled_ = image_.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  return scaled_;
}

void ovg_attached_picture::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  scaled_ = QImage();
}

void ovg_attached_picture::paintEvent(QPaintEvent*) {
  if (image_.isNull() || width() <= 0 || height() <= 0) return;
  QPainter painter(this);
  painter.fillRect(rect(), QColor(50, 50, 50));
  painter.setPen(QColor(222, 222, 222));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  painter.drawImage(0, 0, scaled());
}
