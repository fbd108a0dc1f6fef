#include "ov_settings_group.h"

#include "ov_log.h"
#include "ov_write_failure.h"

ov_settings_group::ov_settings_group(const QString& file_name, const QString& group)
    : settings_(std::make_unique<QSettings>(file_name, QSettings::IniFormat)), group_(group) {
  settings_->beginGroup(group);
}

void ov_settings_group::set_value(const QString& key, const QVariant& value) {
  settings_->setValue(key, value);
  sync();
}

bool ov_settings_group::sync() {
  settings_->sync();
  const bool written = settings_->status() != QSettings::AccessError;
  if (!written && !failure_told_) {
    failure_told_ = true;
    const QString reason = QStringLiteral("the file cannot be written");
    ov_log_write_flush(
        ov_log::WARNING, QStringLiteral("settings"),
        QStringLiteral("failed to write settings: ") + reason + QStringLiteral("  file=") + settings_->fileName());
    ov_write_failure::report(settings_->fileName(), reason);
  }
  return written;
}
