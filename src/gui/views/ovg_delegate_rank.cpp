#include "ovg_delegate_rank.h"

#include "ov_rank_table.h"

#include <QApplication>
#include <QPainter>

namespace {

void draw_centred(QPainter* painter, const QRect& cell, const QPixmap& pixmap) {
  if (pixmap.isNull()) return;
  const QSize size = pixmap.deviceIndependentSize().toSize();
  painter->drawPixmap(QRect(QPoint(0, 0), size).translated(cell.center() - QRect(QPoint(0, 0), size).center()), pixmap);
}

}  // namespace

ovg_delegate_rank::ovg_delegate_rank(QObject* parent)
    : QStyledItemDelegate(parent),
      background_(QPixmap::fromImage(QImage(QStringLiteral(":/icons/rank-bg.png")))),
      ranks_(ov_rank_table::instance().count()),
      loaded_(ov_rank_table::instance().count(), false) {}

const QPixmap& ovg_delegate_rank::rank_pixmap(int rank_index) const {
  if (!loaded_[rank_index]) {
    ranks_[rank_index] = QPixmap::fromImage(ov_rank_table::instance().image(rank_index));
    loaded_[rank_index] = true;
  }
  return ranks_[rank_index];
}

void ovg_delegate_rank::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const QWidget* widget = option.widget;
  QStyle* style = widget ? widget->style() : QApplication::style();
  style->drawPrimitive(QStyle::PE_PanelItemViewItem, &option, painter, widget);
  draw_centred(painter, option.rect, background_);
  const int score = index.data(Qt::DisplayRole).toInt();
  if (score < ov_rank_table::lowest_score || score > ov_rank_table::highest_score) return;
  draw_centred(painter, option.rect, rank_pixmap(ov_rank_table::instance().index_of(score)));
}
