#pragma once

#include "ov_adoptable.h"

#include <QObject>

class QCheckBox;
class QComboBox;
class QWidget;

// The general preferences page: "Ctrl+L follows panel", where the playback
// control keys go, and the (disabled) ReplayGain group.
class ovgp_general : public QObject {
  Q_OBJECT

public:
  explicit ovgp_general(QObject* parent = nullptr);
  ~ovgp_general() override;

  QWidget* widget() const { return widget_; }

  // key_target: 1 selected panel, 2 playing panel.
  void load(bool follow, int key_target);
  bool follow() const;
  int key_target() const;

private:
  ov_adoptable<QWidget> widget_;
  QCheckBox* follow_;
  QComboBox* key_target_;
};
