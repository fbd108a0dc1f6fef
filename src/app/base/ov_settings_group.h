#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>

#include <memory>

// One group of one INI settings file: a QSettings object with beginGroup()
// already called, plus the group name. Setting items refer to a group handle
// they do not own. A value is written to the file as soon as it is set; a
// write that fails is logged and reported as a write failure, once per
// group (QSettings keeps the first error it met).
class ov_settings_group {
public:
  ov_settings_group(const QString& file_name, const QString& group);
  ov_settings_group(const ov_settings_group&) = delete;
  ov_settings_group& operator=(const ov_settings_group&) = delete;

  const QString& group() const { return group_; }
  QString file_name() const { return settings_->fileName(); }

  bool contains(const QString& key) const { return settings_->contains(key); }
  QVariant value(const QString& key) const { return settings_->value(key); }
  void set_value(const QString& key, const QVariant& value);
  // Writes pending changes; false when the file could not be written.
  bool sync();

private:
  std::unique_ptr<QSettings> settings_;
  QString group_;
  bool failure_told_ = false;
};
