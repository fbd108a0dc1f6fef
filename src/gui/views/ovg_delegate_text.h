#pragma once

#include <QHash>
#include <QStyledItemDelegate>

// Paints a plain one-line text cell of the track table: the item background
// and the display text, elided to the cell, in the cell's font and alignment.
// Lays the text out once per paint (the stock delegate lays it out for
// measuring, eliding and drawing): a text that surely fits is drawn as it is,
// only the others are elided. The track table paints a few hundred such cells
// per screen while scrolling.
class ovg_delegate_text : public QStyledItemDelegate {
  Q_OBJECT

public:
  explicit ovg_delegate_text(QObject* parent = nullptr) : QStyledItemDelegate(parent) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

  // True when the text is certainly no wider than width: the sum of the
  // advances of its characters, which kerning and ligatures only narrow.
  // Scripts whose shaping may widen a text are never taken as fitting.
  bool surely_fits(const QStyleOptionViewItem& option, const QString& text, int width) const;

private:
  // Advance of each character met, per font.
  mutable QHash<QString, QHash<char16_t, int>> advances_;
};
