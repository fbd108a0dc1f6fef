#pragma once

#include "ov_setting_item.h"

#include <QList>
#include <QPair>

// An integer stored as its name ("english", "shuffle_repeat", ...). A text
// that names no value, or a missing key, reads as the default, whose name is
// written back.
class ov_setting_named_int : public ov_setting_item {
public:
  using names = QList<QPair<int, QString>>;

  ov_setting_named_int(ov_settings_group* group, const QString& key, const names& values, int default_value);

  int read();
  // Stores the name of value; a value without a name is not stored.
  void write(int value);
  int default_value() const { return default_; }
  QString name_of(int value) const;

private:
  names names_;
  int default_;
};
