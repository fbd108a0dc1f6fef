#include "ov_model.h"

#include "ov_playlist.h"
#include "ov_track.h"
#include "ov_util.h"
#include "ovd_track.h"

#include <QDateTime>
#include <QFont>
#include <QGuiApplication>

ov_model::ov_model(QObject* parent) : QAbstractTableModel(parent) {}

void ov_model::set_playlist(ov_playlist* playlist) {
  if (playlist_) disconnect(playlist_, &ov_playlist::esignal_sorted, this, &ov_model::islot_playlist_sorted);
  playlist_ = playlist;
  if (playlist_) connect(playlist_, &ov_playlist::esignal_sorted, this, &ov_model::islot_playlist_sorted);
}

ov_track* ov_model::track_at(int row) const {
  return playlist_ ? playlist_->track_at(row) : nullptr;
}

int ov_model::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || !playlist_) return 0;
  return playlist_->count();
}

int ov_model::columnCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return ovd_track::instance().column_count();
}

QVariant ov_model::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !playlist_ || index.row() < 0 || index.column() < 0) return {};
  const int row = index.row(), column = index.column();
  if (row >= playlist_->count()) return {};
  switch (role) {
    case Qt::TextAlignmentRole:
      switch (column) {
        case ovd_track::col_status:
          return int(Qt::AlignCenter);
        case ovd_track::col_rank:
        case ovd_track::col_title:
        case ovd_track::col_album:
        case ovd_track::col_artist:
        case ovd_track::col_score:
          return int(Qt::AlignLeft | Qt::AlignVCenter);
        default:
          return int(Qt::AlignRight | Qt::AlignVCenter);
      }
    case Qt::FontRole: {
      if (playlist_->status_at(row) != ov_playlist_item::playing) return {};
      QFont font = QGuiApplication::font();
      font.setPointSize(10);
      font.setWeight(QFont::Bold);
      return font;
    }
    case Qt::DisplayRole:
      return display(row, column);
    default:
      return {};
  }
}

QVariant ov_model::display(int row, int column) const {
  // A view may paint rows a running batch has already taken away.
  if (!playlist_->item_at(row)) return {};
  if (column == ovd_track::col_status) {
    switch (playlist_->status_at(row)) {
      case ov_playlist_item::playing:
        return QStringLiteral(">");
      case ov_playlist_item::marked_equal:
        return QStringLiteral("=");
      case ov_playlist_item::marked_minus:
        return QStringLiteral("-");
      default:
        return QString();
    }
  }
  if (column == ovd_track::col_entry_number) return playlist_->item_at(row)->number();
  const ov_track* t = playlist_->track_at(row);
  if (!t) return {};
  switch (column) {
    case ovd_track::col_rank:
    case ovd_track::col_score:
      return t->score();
    case ovd_track::col_title:
      return t->display_title();
    case ovd_track::col_number:
      return t->tags().track_number();
    case ovd_track::col_album:
      return t->tags().album();
    case ovd_track::col_artist:
      return t->tags().artist();
    case ovd_track::col_length:
      return t->tags().length_text();
    case ovd_track::col_played:
      return ov_time_text_seconds(t->played());
    case ovd_track::col_count_n:
      return t->count_n();
    case ovd_track::col_count_s:
      return t->count_s();
    case ovd_track::col_count_ns:
      return t->count_ns();
    case ovd_track::col_count_l:
      return t->count_l();
    case ovd_track::col_count_dl:
      return t->count_dl();
    case ovd_track::col_count_t:
      return t->count_t();
    case ovd_track::col_added:
      return QDateTime::fromSecsSinceEpoch(qint64(quint32(t->timestamp_added())))
          .toLocalTime()
          .toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    default:
      return {};
  }
}

QVariant ov_model::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal) return {};
  if (role == Qt::DisplayRole) return ovd_track::instance().title(section);
  if (role == Qt::ToolTipRole) return ovd_track::instance().tooltip(section);
  return {};
}

void ov_model::refresh_all() {
  const int rows = rowCount(), columns = columnCount();
  if (rows == 0 || columns == 0) return;
  emit dataChanged(index(0, 0), index(rows - 1, columns - 1));
}

void ov_model::islot_playlist_sorted() {
  refresh_all();
}
