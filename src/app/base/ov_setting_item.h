#pragma once

#include "ov_settings_group.h"

#include <QString>

// What every setting item shares: the group handle (not owned) and the key.
class ov_setting_item {
public:
  ov_setting_item(ov_settings_group* group, const QString& key) : group_(group), key_(key) {}

  const QString& key() const { return key_; }
  ov_settings_group* group() const { return group_; }
  bool contains() const { return group_->contains(key_); }
  void sync() { group_->sync(); }

protected:
  QVariant stored() const { return group_->value(key_); }
  void store(const QVariant& value) { group_->set_value(key_, value); }

private:
  ov_settings_group* group_;
  QString key_;
};
