#pragma once

#include "ov_setting_item.h"

// A real number with a range and a default; only ever written.
class ov_setting_real : public ov_setting_item {
public:
  ov_setting_real(ov_settings_group* group, const QString& key, double minimum, double maximum, double default_value)
      : ov_setting_item(group, key), min_(minimum), max_(maximum), default_(default_value) {}

  void write(double value) { store(value); }
  double minimum() const { return min_; }
  double maximum() const { return max_; }
  double default_value() const { return default_; }

private:
  double min_;
  double max_;
  double default_;
};
