#pragma once

#include <QSpinBox>

// The integer counterpart of ovg_dspinbox: accelerated, right-aligned, 60
// pixels wide.
class ovg_spinbox : public QSpinBox {
  Q_OBJECT

public:
  ovg_spinbox(int minimum, int maximum, int value, QWidget* parent = nullptr);

  // The shape both spin boxes share.
  static void shape(QAbstractSpinBox* box);
};
