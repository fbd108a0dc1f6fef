#pragma once

#include "ov_setting_bool.h"
#include "ov_setting_int.h"
#include "ov_setting_named_int.h"
#include "ov_setting_real.h"
#include "ov_settings_group.h"

// The keys of one play mode's group of conf/main.ini ("normal_play" or
// "shuffle_medley_play"): play and selection type, palette state, the
// selected medley preset and the medley limits in seconds.
class ov_play_settings {
public:
  explicit ov_play_settings(ov_settings_group* play_group);

  static const ov_setting_named_int::names& play_type_names();
  static const ov_setting_named_int::names& selection_type_names();
  // 4 (shuffle + repeat) for "shuffle_medley_play", otherwise 1 (normal).
  static int default_play_type(const QString& group);

  ov_setting_named_int play_type;
  ov_setting_named_int selection_type;
  ov_setting_bool minimized;
  ov_setting_bool collapsed;
  ov_setting_int selected_preset;
  ov_setting_real fadein_min;
  ov_setting_real fadein_max;
  ov_setting_real flatline_min;
  ov_setting_real flatline_max;
  ov_setting_real fadeout_min;
  ov_setting_real fadeout_max;
  ov_setting_real start_position_min;
  ov_setting_real start_position_max;
};
