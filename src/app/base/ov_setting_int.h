#pragma once

#include "ov_setting_item.h"

// A bounded integer stored as decimal text. A missing key or a text that is
// not a number reads as the default (nothing written); a number outside
// minimum..maximum reads as the default and the default is written.
class ov_setting_int : public ov_setting_item {
public:
  ov_setting_int(ov_settings_group* group, const QString& key, int minimum, int maximum, int default_value);

  int read();
  void write(int value);
  int default_value() const { return default_; }
  int minimum() const { return min_; }
  int maximum() const { return max_; }

private:
  int min_;
  int max_;
  int default_;
};
