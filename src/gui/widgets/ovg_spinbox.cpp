#include "ovg_spinbox.h"

#include "ovg_dspinbox.h"

namespace {
constexpr int field_width = 60;
}  // namespace

void ovg_spinbox::shape(QAbstractSpinBox* box) {
  box->setAccelerated(true);
  box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  box->setFixedWidth(field_width);
}

ovg_spinbox::ovg_spinbox(int minimum, int maximum, int value, QWidget* parent) : QSpinBox(parent) {
  setRange(minimum, maximum);
  setValue(value);
  shape(this);
}

ovg_dspinbox::ovg_dspinbox(double minimum, double maximum, double value, QWidget* parent) : QDoubleSpinBox(parent) {
  setDecimals(1);
  setSingleStep(0.1);
  setRange(minimum, maximum);
  setValue(value);
  ovg_spinbox::shape(this);
}
