#include "ov_play_settings.h"

#include <climits>

ov_play_settings::ov_play_settings(ov_settings_group* g)
    : play_type(g, QStringLiteral("play_type"), play_type_names(), default_play_type(g->group())),
      selection_type(g, QStringLiteral("selection_type"), selection_type_names(), 1),
      minimized(g, QStringLiteral("minimized"), false),
      collapsed(g, QStringLiteral("collapsed"), false),
      selected_preset(g, QStringLiteral("selected_preset"), 0, INT_MAX, 0),
      fadein_min(g, QStringLiteral("fadein_min"), 0.5, 20.0, 2.0),
      fadein_max(g, QStringLiteral("fadein_max"), 0.5, 20.0, 7.0),
      flatline_min(g, QStringLiteral("flatline_min"), 2.0, 1000.0, 20.0),
      flatline_max(g, QStringLiteral("flatline_max"), 2.0, 1000.0, 45.0),
      fadeout_min(g, QStringLiteral("fadeout_min"), 0.5, 20.0, 2.0),
      fadeout_max(g, QStringLiteral("fadeout_max"), 0.5, 20.0, 7.0),
      start_position_min(g, QStringLiteral("start_position_min"), 0.0, 1000.0, 0.0),
      start_position_max(g, QStringLiteral("start_position_max"), 0.0, 1000.0, 180.0) {}

const ov_setting_named_int::names& ov_play_settings::play_type_names() {
  static const ov_setting_named_int::names n = {{1, QStringLiteral("normal")},  {2, QStringLiteral("normal_repeat")},
                                                {3, QStringLiteral("shuffle")}, {4, QStringLiteral("shuffle_repeat")},
                                                {5, QStringLiteral("random")},  {6, QStringLiteral("repeat_track")}};
  return n;
}

const ov_setting_named_int::names& ov_play_settings::selection_type_names() {
  static const ov_setting_named_int::names n = {{1, QStringLiteral("high_scored")},
                                                {2, QStringLiteral("middle_scored")},
                                                {3, QStringLiteral("low_scored")},
                                                {4, QStringLiteral("random")}};
  return n;
}

int ov_play_settings::default_play_type(const QString& group) {
  return group == QStringLiteral("shuffle_medley_play") ? 4 : 1;
}
