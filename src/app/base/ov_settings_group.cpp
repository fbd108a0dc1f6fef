#include "ov_settings_group.h"

ov_settings_group::ov_settings_group(const QString& file_name, const QString& group)
    : settings_(std::make_unique<QSettings>(file_name, QSettings::IniFormat)), group_(group) {
  settings_->beginGroup(group);
}
