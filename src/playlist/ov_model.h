#pragma once

#include <QAbstractTableModel>
#include <QPointer>

class ov_playlist;
class ov_track;

// Read-through table model over the entries of one playlist, with the
// columns of the track column catalogue. Keeps no copy of the data: the
// owner resets it on structural changes and refreshes it on content changes.
class ov_model : public QAbstractTableModel {
  Q_OBJECT

public:
  explicit ov_model(QObject* parent = nullptr);

  void set_playlist(ov_playlist* playlist);
  ov_playlist* playlist() const { return playlist_; }
  ov_track* track_at(int row) const;
  // Lets the owner announce structural changes (rows added or removed,
  // playlist switched).
  void reset() {
    beginResetModel();
    endResetModel();
  }

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  void refresh_all();

public slots:
  void islot_playlist_sorted();

private:
  QVariant display(int row, int column) const;

  QPointer<ov_playlist> playlist_;
};
