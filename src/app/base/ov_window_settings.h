#pragma once

#include "ov_setting_bool.h"
#include "ov_setting_bytes.h"
#include "ov_setting_int.h"
#include "ov_settings_group.h"

// The keys of group "window" of conf/main.ini: the main window's state.
class ov_window_settings {
public:
  explicit ov_window_settings(ov_settings_group* window_group);

  ov_setting_bool maximized;
  ov_setting_int width;
  ov_setting_int height;
  ov_setting_int selected_playlist;
  ov_setting_int selected_tab;
  ov_setting_int selected_table_slider_position;
  ov_setting_int selected_table_row;
  ov_setting_bytes splitter_state;
  ov_setting_bytes table_track_state;
};
