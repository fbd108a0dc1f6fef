#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>

#include <memory>

// One group of one INI settings file: a QSettings object with beginGroup()
// already called, plus the group name. Setting items refer to a group handle
// they do not own.
class ov_settings_group {
public:
  ov_settings_group(const QString& file_name, const QString& group);
  ov_settings_group(const ov_settings_group&) = delete;
  ov_settings_group& operator=(const ov_settings_group&) = delete;

  const QString& group() const { return group_; }
  QString file_name() const { return settings_->fileName(); }

  bool contains(const QString& key) const { return settings_->contains(key); }
  QVariant value(const QString& key) const { return settings_->value(key); }
  void set_value(const QString& key, const QVariant& value) { settings_->setValue(key, value); }
  void sync() { settings_->sync(); }

private:
  std::unique_ptr<QSettings> settings_;
  QString group_;
};
