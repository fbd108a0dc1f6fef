#pragma once

#include "ovg_palette_page.h"

#include <memory>

class ovg_mode_views;

// The arrangements of a play mode's views. Each fits a window 960 pixels
// wide; the full and the minimized one keep low, so the track table keeps
// most of the window.
//
// Full: track information | playback, volume, play control (full grid) and
// the next tracks | engine status. Narrow medley: track information |
// playback, volume, play control and engine status | medley panel; the next
// tracks below them.
std::unique_ptr<ovg_palette_page> ovg_make_full_page(const ovg_mode_views& views, QWidget* play_control,
                                                     QWidget* medley_panel = nullptr);
// Minimized: track information | playback over play control (minimized grid)
// and volume | the next tracks.
std::unique_ptr<ovg_palette_page> ovg_make_small_page(const ovg_mode_views& views, QWidget* play_control);
