#pragma once

#include "ov_setting_item.h"

// A bool stored as one of two words ("yes" / "no"). Any other or a missing
// text reads as the default, whose word is written back.
class ov_setting_bool : public ov_setting_item {
public:
  ov_setting_bool(ov_settings_group* group, const QString& key, bool default_value,
                  const QString& true_word = QStringLiteral("yes"), const QString& false_word = QStringLiteral("no"));

  bool read();
  void write(bool value);
  bool default_value() const { return default_; }

private:
  QString true_word_;
  QString false_word_;
  bool default_;
};
