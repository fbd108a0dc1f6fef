#pragma once

#include <QMimeData>

// Drag payload of a playlist dragged inside the playlist view: its row.
class ovg_mime_data_drag_playlist : public QMimeData {
  Q_OBJECT

public:
  static const QString format;

  explicit ovg_mime_data_drag_playlist(int row);

  int row() const { return row_; }

private:
  int row_;
};
