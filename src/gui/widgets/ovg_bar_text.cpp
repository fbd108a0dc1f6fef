#include "ovg_bar_text.h"

#include <QPainter>
#include <QStyleOptionProgressBar>
#include <QStylePainter>

#include <algorithm>

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

namespace {
// How far the style's drawing of the chunk's end reaches on either side of
// the fill's edge (its rim and shadow lines).
constexpr int chunk_end_reach = 4;
}  // namespace

ovg_progress_bar::ovg_progress_bar(QWidget* parent) : QProgressBar(parent) {}

void ovg_progress_bar::set_value_in_place(int value) {
  if (value == this->value() || orientation() != Qt::Horizontal) {
    setValue(value);
    return;
  }
  const int edge_before = fill_edge();
  const QRect text_before = text_area();
  // Set by hand rather than through setUpdatesEnabled, which would repaint
  // the whole bar when updates come back on.
  const bool held = testAttribute(Qt::WA_UpdatesDisabled);
  setAttribute(Qt::WA_UpdatesDisabled, true);
  setValue(value);
  setAttribute(Qt::WA_UpdatesDisabled, held);
  const int edge_after = fill_edge();
  const int left = std::min(edge_before, edge_after) - chunk_end_reach;
  const int right = std::max(edge_before, edge_after) + chunk_end_reach;
  update(QRegion(left, 0, right - left, height()) | text_before | text_area());
}

int ovg_progress_bar::fill_edge() const {
  QStyleOptionProgressBar option;
  initStyleOption(&option);
  const QRect contents = style()->subElementRect(QStyle::SE_ProgressBarContents, &option, this);
  const qint64 span = qint64(maximum()) - minimum();
  const qint64 done = qint64(value()) - minimum();
  return contents.left() + (span > 0 ? int(contents.width() * done / span) : 0);
}

QRect ovg_progress_bar::text_area() const {
  const QString label = text();
  if (!isTextVisible() || label.isEmpty()) return {};
  const int w = fontMetrics().horizontalAdvance(label) + 2 * chunk_end_reach;
  return QRect((width() - w) / 2, 0, w, height());
}

void ovg_progress_bar::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionProgressBar option;
  initStyleOption(&option);
  const QString label = option.text;
  option.textVisible = false;
  painter.drawControl(QStyle::CE_ProgressBar, option);
  if (!isTextVisible() || label.isEmpty()) return;

  const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
  ovg_draw_bar_text(&painter, rect(), fill_edge(), label, palette().color(group, QPalette::HighlightedText),
                    palette().color(group, QPalette::Text));
}
