#include "ov_setting_named_int.h"

ov_setting_named_int::ov_setting_named_int(ov_settings_group* group, const QString& key, const names& values,
                                           int default_value)
    : ov_setting_item(group, key), names_(values), default_(default_value) {}

int ov_setting_named_int::read() {
  if (contains()) {
    const QString text = stored().toString();
    for (const auto& entry : names_)
      if (entry.second == text) return entry.first;
  }
  write(default_);
  return default_;
}

void ov_setting_named_int::write(int value) {
  const QString name = name_of(value);
  if (!name.isEmpty()) store(name);
}

QString ov_setting_named_int::name_of(int value) const {
  for (const auto& entry : names_)
    if (entry.first == value) return entry.second;
  return QString();
}
