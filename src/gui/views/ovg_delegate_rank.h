#pragma once

#include <QList>
#include <QPixmap>
#include <QStyledItemDelegate>

// Paints the Rank column: the rank background image with the rank image of
// the cell's score (its display value) centred over it.
class ovg_delegate_rank : public QStyledItemDelegate {
  Q_OBJECT

public:
  explicit ovg_delegate_rank(QObject* parent = nullptr);

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
  // Pixmaps made from the rank table's images on first use, by rank index.
  const QPixmap& rank_pixmap(int rank_index) const;

  QPixmap background_;
  mutable QList<QPixmap> ranks_;
  mutable QList<bool> loaded_;
};
