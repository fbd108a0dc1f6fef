#pragma once

#include "ov_setting_int.h"
#include "ov_settings_group.h"

// Group "volume" of conf/main.ini.
class ov_volume_settings {
public:
  explicit ov_volume_settings(ov_settings_group* volume_group)
      : volume(volume_group, QStringLiteral("volume"), 0, 100, 100) {}

  ov_setting_int volume;
};
