#pragma once

#include "ovg_palette_page.h"

#include <memory>

class ovg_mode_views;

// The arrangements of a play mode's views.
//
// Full: track information | playback, volume and play control (full grid) |
// engine status; the next tracks below. Narrow medley: track information |
// playback, volume, play control and engine status | medley panel.
std::unique_ptr<ovg_palette_page> ovg_make_full_page(const ovg_mode_views& views, QWidget* play_control,
                                                     QWidget* medley_panel = nullptr);
// Minimized: track information | playback over play control (minimized grid)
// and volume; the next tracks below.
std::unique_ptr<ovg_palette_page> ovg_make_small_page(const ovg_mode_views& views, QWidget* play_control);
