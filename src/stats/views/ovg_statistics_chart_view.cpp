#include "ovg_statistics_chart_view.h"

#include "ov_image_cache.h"
#include "ov_rank_table.h"

#include <QPainter>

ovg_statistics_chart_view::ovg_statistics_chart_view(QWidget* parent) : QChartView(parent) {
  setRenderHint(QPainter::Antialiasing);
}

void ovg_statistics_chart_view::paintEvent(QPaintEvent* event) {
  QChartView::paintEvent(event);
  emit esignal_painted();
}

// The painter is in scene coordinates; the icons sit where the (transparent)
// category names are, centred under their bars.
void ovg_statistics_chart_view::drawForeground(QPainter* painter, const QRectF& rect) {
  QChartView::drawForeground(painter, rect);
  if (!series_ || !chart()) return;
  const qreal bottom = chart()->plotArea().bottom();
  painter->save();
  painter->setRenderHint(QPainter::SmoothPixmapTransform);
  for (int i = 0; i < ov_rank_table::instance().count(); ++i) {
    const QImage icon = ov_image_cache::image(ov_rank_table::instance().icon_path(i));
    if (icon.isNull()) continue;
    const QPointF at = chart()->mapToPosition(QPointF(i, 0), series_);
    const QSizeF size = icon.deviceIndependentSize();
    painter->drawImage(QRectF(QPointF(at.x() - size.width() / 2, bottom + 4), size), icon);
  }
  painter->restore();
}
