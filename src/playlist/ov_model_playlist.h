#pragma once

#include <QAbstractTableModel>
#include <QList>

class ov_playlist;

// Table model over the main window's list of playlists: a mark column and
// the editable name. Row 0 is the library playlist, which cannot be renamed.
class ov_model_playlist : public QAbstractTableModel {
  Q_OBJECT

public:
  // playlists is the owner's list (not owned); it must outlive the model.
  explicit ov_model_playlist(const QList<ov_playlist*>* playlists, QObject* parent = nullptr);

  ov_playlist* playlist_at(int row) const;
  void set_playing_playlist(ov_playlist* playlist);
  ov_playlist* playing_playlist() const { return playing_; }
  // Lets the owner announce structural changes (added, removed, moved).
  void reset() {
    beginResetModel();
    endResetModel();
  }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
  void esignal_edit_finished();

private:
  const QList<ov_playlist*>* playlists_;
  ov_playlist* playing_ = nullptr;
};
