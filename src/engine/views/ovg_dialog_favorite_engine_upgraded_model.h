#pragma once

#include "ovd_skill.h"

#include <QAbstractTableModel>
#include <QList>

// The skills a new grade brings: "Skill" (name) and "Size" (cost).
class ovg_dialog_favorite_engine_upgraded_model : public QAbstractTableModel {
  Q_OBJECT

public:
  enum column : int { column_name = 0, column_size = 1, column_count = 2 };

  explicit ovg_dialog_favorite_engine_upgraded_model(const QList<const ovd_skill::skill*>& skills,
                                                     QObject* parent = nullptr);

  const ovd_skill::skill* skill_at(int row) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
  QList<const ovd_skill::skill*> skills_;
};
