#include "ovg_mime_data_drag_tracks.h"

const QString ovg_mime_data_drag_tracks::format = QStringLiteral("application/x-orvantis-drag-tracks");

ovg_mime_data_drag_tracks::ovg_mime_data_drag_tracks(const QModelIndexList& indexes) : indexes_(indexes) {
  setData(format, QByteArray());
}
