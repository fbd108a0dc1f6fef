#include "ovg_mime_data_drag_playlist.h"

const QString ovg_mime_data_drag_playlist::format = QStringLiteral("application/x-orvantis-drag-playlist");

ovg_mime_data_drag_playlist::ovg_mime_data_drag_playlist(int row) : row_(row) {
  setData(format, QByteArray());
}
