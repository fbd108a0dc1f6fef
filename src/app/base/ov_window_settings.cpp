#include "ov_window_settings.h"

#include <climits>

ov_window_settings::ov_window_settings(ov_settings_group* g)
    : maximized(g, QStringLiteral("maximized"), false),
      width(g, QStringLiteral("width"), 500, 10000, 1300),
      height(g, QStringLiteral("height"), 500, 3000, 700),
      selected_playlist(g, QStringLiteral("selected_playlist"), 0, INT_MAX, 0),
      selected_tab(g, QStringLiteral("selected_tab"), 0, 1, 1),
      selected_table_slider_position(g, QStringLiteral("selected_table_slider_position"), 0, INT_MAX, 0),
      selected_table_row(g, QStringLiteral("selected_table_row"), 0, INT_MAX, 0),
      splitter_state(g, QStringLiteral("splitter_state")),
      table_track_state(g, QStringLiteral("table_track_state")) {}
