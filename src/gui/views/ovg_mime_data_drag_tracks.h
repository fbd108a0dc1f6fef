#pragma once

#include <QMimeData>
#include <QModelIndexList>

// Drag payload of rows dragged out of a track view: the model indexes of the
// selected rows (column 0, in row order).
class ovg_mime_data_drag_tracks : public QMimeData {
  Q_OBJECT

public:
  static const QString format;

  explicit ovg_mime_data_drag_tracks(const QModelIndexList& indexes);

  const QModelIndexList& indexes() const { return indexes_; }

private:
  QModelIndexList indexes_;
};
