#pragma once

#include <QMimeData>
#include <QPersistentModelIndex>

// The preset row a drag in the presets list carries.
class ovg_mimedata_drag_preset : public QMimeData {
  Q_OBJECT

public:
  explicit ovg_mimedata_drag_preset(const QModelIndex& index) : index_(index) {}

  const QPersistentModelIndex& index() const { return index_; }
  int row() const { return index_.isValid() ? index_.row() : -1; }

private:
  QPersistentModelIndex index_;
};
