#pragma once

#include <QDoubleSpinBox>

// A seconds field: one decimal, step 0.1, accelerated, right-aligned, 60
// pixels wide.
class ovg_dspinbox : public QDoubleSpinBox {
  Q_OBJECT

public:
  ovg_dspinbox(double minimum, double maximum, double value, QWidget* parent = nullptr);
};
