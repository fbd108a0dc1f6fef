#include "ov_setting_int.h"

ov_setting_int::ov_setting_int(ov_settings_group* group, const QString& key, int minimum, int maximum,
                               int default_value)
    : ov_setting_item(group, key), min_(minimum), max_(maximum), default_(default_value) {}

int ov_setting_int::read() {
  if (!contains()) return default_;
  bool ok = false;
  const int value = stored().toString().toInt(&ok);
  if (!ok) return default_;
  if (value < min_ || value > max_) {
    write(default_);
    return default_;
  }
  return value;
}

void ov_setting_int::write(int value) {
  store(value);
}
