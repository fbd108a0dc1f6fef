#include "ovg_statistics_chart_view.h"

#include "ov_image_cache.h"
#include "ov_rank_table.h"

#include <QBarSet>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>

ovg_statistics_chart_view::ovg_statistics_chart_view(QWidget* parent) : QChartView(parent) {
  setRenderHint(QPainter::Antialiasing);
}

void ovg_statistics_chart_view::paintEvent(QPaintEvent* event) {
  QChartView::paintEvent(event);
  emit esignal_painted();
}

void ovg_statistics_chart_view::mouseReleaseEvent(QMouseEvent* event) {
  QChartView::mouseReleaseEvent(event);
  if (!series_ || !chart() || event->button() != Qt::LeftButton) return;
  const QPointF scene = mapToScene(event->position().toPoint());
  const QRectF plot = chart()->plotArea();
  constexpr qreal icon_room = 28;
  if (scene.y() < plot.top() || scene.y() > plot.bottom() + icon_room) return;
  const int index = qRound(chart()->mapToValue(scene, series_).x());
  if (index >= 0 && index < series_->barSets().size() &&
      qAbs(scene.x() - chart()->mapToPosition(QPointF(index, 0), series_).x()) <
          plot.width() / series_->barSets().size() / 2)
    emit esignal_rank_clicked(index);
}

// The painter is in scene coordinates; the icons sit where the (transparent)
// category names are, centred under their bars, and each count above its bar.
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
    const QBarSet* set = series_->barSets().value(i);
    if (!set || set->at(i) <= 0) continue;
    const QPointF top = chart()->mapToPosition(QPointF(i, set->at(i)), series_);
    painter->setPen(QColor(QStringLiteral("#333333")));
    painter->drawText(QRectF(top.x() - 40, top.y() - 20, 80, 18), Qt::AlignHCenter | Qt::AlignBottom,
                      QLocale().toString(qint64(set->at(i))));
  }
  painter->restore();
}
