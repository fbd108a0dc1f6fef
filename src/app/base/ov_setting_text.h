#pragma once

#include "ov_setting_item.h"

// A plain text; empty when the key is missing.
class ov_setting_text : public ov_setting_item {
public:
  ov_setting_text(ov_settings_group* group, const QString& key) : ov_setting_item(group, key) {}

  QString read() const { return stored().toString(); }
  void write(const QString& value) { store(value); }
};
