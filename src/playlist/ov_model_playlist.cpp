#include "ov_model_playlist.h"

#include "ov_playlist.h"

#include <QFont>
#include <QGuiApplication>

ov_model_playlist::ov_model_playlist(const QList<ov_playlist*>* playlists, QObject* parent)
    : QAbstractTableModel(parent), playlists_(playlists) {}

ov_playlist* ov_model_playlist::playlist_at(int row) const {
  if (!playlists_ || row < 0 || row >= playlists_->size()) return nullptr;
  return playlists_->at(row);
}

void ov_model_playlist::set_playing_playlist(ov_playlist* playlist) {
  playing_ = playlist;
  const int rows = rowCount();
  if (rows > 0) emit dataChanged(index(0, 0), index(rows - 1, 0));
}

int ov_model_playlist::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || !playlists_) return 0;
  return int(playlists_->size());
}

int ov_model_playlist::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 2;
}

QVariant ov_model_playlist::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() < 0 || index.column() < 0) return {};
  const ov_playlist* playlist = playlist_at(index.row());
  if (!playlist) return {};
  const bool is_playing = playing_ && playlist == playing_;
  switch (role) {
    case Qt::TextAlignmentRole:
      return index.column() == 1 ? int(Qt::AlignLeft | Qt::AlignVCenter) : int(Qt::AlignCenter);
    case Qt::FontRole: {
      if (!is_playing) return {};
      QFont font = QGuiApplication::font();
      font.setPointSize(10);
      font.setWeight(QFont::Bold);
      return font;
    }
    case Qt::DisplayRole:
      if (index.column() == 0) return is_playing ? QStringLiteral(">") : QString();
      return index.column() == 1 ? QVariant(playlist->name()) : QVariant();
    case Qt::EditRole:
      return index.column() == 1 ? QVariant(playlist->name()) : QVariant();
    default:
      return {};
  }
}

bool ov_model_playlist::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !index.isValid() || index.row() == 0) return false;
  ov_playlist* playlist = playlist_at(index.row());
  if (!playlist) return false;
  playlist->set_name(value.toString());
  emit dataChanged(index, index);
  emit esignal_edit_finished();
  return true;
}

QVariant ov_model_playlist::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  if (section == 0) return QStringLiteral(" ");
  if (section == 1) return tr("Playlist");
  return QString();
}

Qt::ItemFlags ov_model_playlist::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
  if (index.row() != 0 && index.column() != 0) f |= Qt::ItemIsEditable;
  return f;
}
