#pragma once

#include <QAbstractListModel>

#include <memory>
#include <vector>

class ovgp_medley_preset;

using ovgp_preset_list = std::vector<std::unique_ptr<ovgp_medley_preset>>;

// One column, one row per preset: the names, editable except row 0.
class ovgp_model_presets : public QAbstractListModel {
  Q_OBJECT

public:
  explicit ovgp_model_presets(ovgp_preset_list* presets, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  // After the list changed.
  void refresh();

private:
  ovgp_preset_list* presets_;
};
