#include "ovg_icon.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

ovg_icon::ovg_icon(const QString& path, QWidget* parent) : QWidget(parent) {
  if (!path.isEmpty()) set_path(path);
}

void ovg_icon::set_image(const QImage& image) {
  image_ = image;
  drawn_ = QImage();
  update();
}

void ovg_icon::set_path(const QString& path) {
  path_ = path;
  set_image(QImage(path));
}

QImage ovg_icon::drawn_image(const QImage& image, bool enabled) {
  if (enabled || image.isNull()) return image;
  QImage grey = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < grey.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
    for (int x = 0; x < grey.width(); ++x) {
      // Lighter than a plain grey scale, so a disabled icon reads as inactive.
      const int g = 96 + qGray(line[x]) / 2;
      line[x] = qRgba(g, g, g, qAlpha(line[x]) / 2);
    }
  }
  return grey;
}

void ovg_icon::paintEvent(QPaintEvent*) {
  if (image_.isNull()) return;
  const QSize fitted = image_.size().scaled(size(), Qt::KeepAspectRatio);
  if (drawn_.isNull() || drawn_.size() != fitted || drawn_enabled_ != isEnabled()) {
    drawn_ = drawn_image(image_, isEnabled()).scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    drawn_enabled_ = isEnabled();
  }
  QPainter painter(this);
  painter.drawImage((width() - drawn_.width()) / 2, (height() - drawn_.height()) / 2, drawn_);
}

void ovg_icon::mouseDoubleClickEvent(QMouseEvent* event) {
  emit esignal_double_clicked();
  QWidget::mouseDoubleClickEvent(event);
}

void ovg_icon::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) update();
  QWidget::changeEvent(event);
}
