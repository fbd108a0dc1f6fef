#include "ovg_bar_text.h"

#include <QPainter>
#include <QStyleOptionProgressBar>
#include <QStylePainter>

void ovg_draw_bar_text(QPainter* painter, const QRect& area, int fill_right, const QString& text,
                       const QColor& over_fill, const QColor& over_rest) {
  const int split = qBound(area.left(), fill_right, area.right() + 1);
  const QRect parts[] = {QRect(area.left(), area.top(), split - area.left(), area.height()),
                         QRect(split, area.top(), area.right() + 1 - split, area.height())};
  const QColor* pens[] = {&over_fill, &over_rest};
  for (int i = 0; i < 2; ++i) {
    if (parts[i].isEmpty()) continue;
    painter->save();
    painter->setClipRect(parts[i], Qt::IntersectClip);
    painter->setPen(*pens[i]);
    painter->drawText(area, Qt::AlignCenter, text);
    painter->restore();
  }
}

ovg_progress_bar::ovg_progress_bar(QWidget* parent) : QProgressBar(parent) {}

void ovg_progress_bar::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionProgressBar option;
  initStyleOption(&option);
  const QString label = option.text;
  option.textVisible = false;
  painter.drawControl(QStyle::CE_ProgressBar, option);
  if (!isTextVisible() || label.isEmpty()) return;

  const QRect contents = style()->subElementRect(QStyle::SE_ProgressBarContents, &option, this);
  const qint64 span = qint64(maximum()) - minimum();
  const qint64 done = qint64(value()) - minimum();
  const int fill = span > 0 ? int(contents.width() * done / span) : 0;
  const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
  ovg_draw_bar_text(&painter, rect(), contents.left() + fill, label, palette().color(group, QPalette::HighlightedText),
                    palette().color(group, QPalette::Text));
}
