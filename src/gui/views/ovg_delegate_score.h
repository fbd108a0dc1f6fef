#pragma once

#include <QColor>
#include <QList>
#include <QStyledItemDelegate>

// Paints the Score column: the rank name of the score, then a bar filled in
// one colour per rank group up to the score, with the score written over it
// so that it reads over the fill and over the empty part alike.
class ovg_delegate_score : public QStyledItemDelegate {
  Q_OBJECT

public:
  explicit ovg_delegate_score(QObject* parent = nullptr);

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  // The bar of a cell: from left + 35 to right - 7, 4 pixels inside top and bottom.
  static QRect bar_rect(const QRect& cell);
  // Filled width of the segment of a group between lower and upper for the
  // score, in 0..bar_width.
  static int segment_width(int score, int lower, int upper, int bar_width);

private:
  struct segment {
    int upper;  // highest score of the group's top rank
    QColor colour;
  };

  void paint_bar(QPainter* painter, const QRect& bar, int score, const QColor& text) const;

  QList<segment> segments_;
};
