#include "ovg_icon.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

ovg_icon::ovg_icon(const QString& path, QWidget* parent) : QWidget(parent) {
  if (!path.isEmpty()) set_path(path);
}

void ovg_icon::set_image(const QImage& image) {
  image_ = image;
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
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  const QImage scaled = drawn_image(image_, isEnabled()).scaled(size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
  painter.drawImage((width() - scaled.width()) / 2, (height() - scaled.height()) / 2, scaled);
}

void ovg_icon::mouseDoubleClickEvent(QMouseEvent* event) {
  emit esignal_double_clicked();
  QWidget::mouseDoubleClickEvent(event);
}

void ovg_icon::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) update();
  QWidget::changeEvent(event);
}
