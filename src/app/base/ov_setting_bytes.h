#pragma once

#include "ov_setting_item.h"

#include <QByteArray>

// Opaque bytes (header or splitter state) in Qt's INI byte-array form.
class ov_setting_bytes : public ov_setting_item {
public:
  ov_setting_bytes(ov_settings_group* group, const QString& key) : ov_setting_item(group, key) {}

  QByteArray read() const { return stored().toByteArray(); }
  void write(const QByteArray& value) { store(value); }
};
