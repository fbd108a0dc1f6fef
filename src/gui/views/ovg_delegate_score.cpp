#include "ovg_delegate_score.h"

#include "ov_rank_table.h"
#include "ov_util.h"
#include "ovg_bar_text.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>

namespace {

// One bar segment per rank group, named by the group's top rank.
struct group_colour {
  const char* top_rank;
  const char* colour;
};

constexpr group_colour groups[] = {
    {"E+", "#7a70cc"}, {"C+", "#70cca0"}, {"A+", "#cc9870"}, {"S+", "#cc7072"}, {"SS", "#e8d35a"},
};

constexpr int min_width = 50;
constexpr int min_height = 14;
constexpr int name_left = 5, name_right = 29;
constexpr int bar_left = 35, bar_right = 7, bar_margin = 4;
constexpr int score_text_drop = 2;
const QColor outline(0xcc, 0xcc, 0xcc);
const QColor score_pen(0x33, 0x33, 0x33);

}  // namespace

ovg_delegate_score::ovg_delegate_score(QObject* parent) : QStyledItemDelegate(parent) {
  for (const group_colour& g : groups)
    segments_.append({ov_rank_table::instance().highest_score_of(QString::fromLatin1(g.top_rank)),
                      QColor(QString::fromLatin1(g.colour))});
}

QRect ovg_delegate_score::bar_rect(const QRect& cell) {
  return QRect(QPoint(cell.left() + bar_left, cell.top() + bar_margin),
               QPoint(cell.right() - bar_right, cell.bottom() - bar_margin));
}

int ovg_delegate_score::segment_width(int score, int lower, int upper, int bar_width) {
  if (upper <= lower) return 0;
  const double part = double(score - lower) / double(upper - lower) * double(bar_width);
  return ov_clamp(ov_trunc(part), 0, bar_width);
}

void ovg_delegate_score::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const QWidget* widget = option.widget;
  QStyle* style = widget ? widget->style() : QApplication::style();
  style->drawPrimitive(QStyle::PE_PanelItemViewItem, &option, painter, widget);
  const QRect& cell = option.rect;
  if (cell.width() < min_width || cell.height() < min_height) return;

  const int score = index.data(Qt::DisplayRole).toInt();
  painter->save();
  const bool selected = option.state & QStyle::State_Selected;
  const QPalette::ColorGroup group = option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
  const QColor text = option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
  painter->setPen(text);
  painter->drawText(QRect(QPoint(cell.left() + name_left, cell.top()), QPoint(cell.left() + name_right, cell.bottom())),
                    Qt::AlignCenter, ov_rank_table::instance().name_of(score));
  paint_bar(painter, bar_rect(cell), score, text);
  painter->restore();
}

// The digits are dark over the coloured fill and in the row's text colour
// over the empty part of the bar, which shows the row's background.
void ovg_delegate_score::paint_bar(QPainter* painter, const QRect& bar, int score, const QColor& text) const {
  painter->setPen(outline);
  painter->setBrush(Qt::NoBrush);
  painter->drawRect(bar.adjusted(0, 0, -1, -1));
  int lower = 0, filled = 0;
  for (const segment& s : segments_) {
    const int width = segment_width(score, lower, s.upper, bar.width());
    if (width > 0) painter->fillRect(QRect(bar.left(), bar.top(), width, bar.height()), s.colour);
    filled = std::max(filled, width);
    lower = s.upper;
  }
  QFont font = painter->font();
  font.setPointSize(8);
  font.setWeight(QFont::Normal);
  painter->setFont(font);
  ovg_draw_bar_text(painter, bar.adjusted(0, score_text_drop, 0, 0), bar.left() + filled, QString::number(score),
                    score_pen, text);
}
