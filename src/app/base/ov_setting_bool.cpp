#include "ov_setting_bool.h"

ov_setting_bool::ov_setting_bool(ov_settings_group* group, const QString& key, bool default_value,
                                 const QString& true_word, const QString& false_word)
    : ov_setting_item(group, key), true_word_(true_word), false_word_(false_word), default_(default_value) {}

bool ov_setting_bool::read() {
  if (contains()) {
    const QString text = stored().toString();
    if (text == true_word_) return true;
    if (text == false_word_) return false;
  }
  write(default_);
  return default_;
}

void ov_setting_bool::write(bool value) {
  store(value ? true_word_ : false_word_);
}
