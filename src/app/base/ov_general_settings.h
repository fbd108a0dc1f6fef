#pragma once

#include "ov_setting_bool.h"
#include "ov_setting_named_int.h"
#include "ov_settings_group.h"

// The general preferences in group "main" of conf/main.ini.
class ov_general_settings {
public:
  enum key_target : int { selected = 1, playing = 2 };

  explicit ov_general_settings(ov_settings_group* main_group);

  ov_setting_bool ctrll_follow_panel;
  ov_setting_named_int control_key_sent_to;
};
