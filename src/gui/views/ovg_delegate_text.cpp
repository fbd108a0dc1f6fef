#include "ovg_delegate_text.h"

#include <QApplication>
#include <QPainter>

namespace {

// From Hebrew up to the CJK blocks lie the scripts whose shaped forms may be
// wider than their characters alone.
bool plain_width_char(char16_t c) {
  return c < 0x0590 || (c >= 0x2e80 && c < 0xd800) || c >= 0xe000;
}

}  // namespace

bool ovg_delegate_text::surely_fits(const QStyleOptionViewItem& option, const QString& text, int width) const {
  QHash<char16_t, int>& advances = advances_[option.font.key()];
  int sum = 0;
  for (const QChar ch : text) {
    const char16_t c = ch.unicode();
    if (!plain_width_char(c)) return false;
    auto it = advances.constFind(c);
    if (it == advances.cend()) it = advances.insert(c, option.fontMetrics.horizontalAdvance(ch));
    sum += *it;
    if (sum > width) return false;
  }
  return true;
}

void ovg_delegate_text::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyleOptionViewItem opt(option);
  initStyleOption(&opt, index);
  const QWidget* widget = opt.widget;
  QStyle* style = widget ? widget->style() : QApplication::style();
  style->drawPrimitive(QStyle::PE_PanelItemViewItem, &opt, painter, widget);
  if (opt.text.isEmpty()) return;

  const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, &opt, widget) + 1;
  const QRect text_rect = opt.rect.adjusted(margin, 0, -margin, 0);
  const bool selected = opt.state & QStyle::State_Selected;
  const QPalette::ColorGroup group = !(opt.state & QStyle::State_Enabled) ? QPalette::Disabled
                                     : opt.state & QStyle::State_Active   ? QPalette::Normal
                                                                          : QPalette::Inactive;
  painter->save();
  painter->setFont(opt.font);
  painter->setPen(opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
  const int width = text_rect.width();
  const QString text =
      surely_fits(opt, opt.text, width) ? opt.text : opt.fontMetrics.elidedText(opt.text, opt.textElideMode, width);
  painter->drawText(text_rect, int(opt.displayAlignment) | Qt::TextSingleLine, text);
  painter->restore();
}
