#pragma once

// The values of a medley preset as the scheduler takes them: lengths in
// milliseconds (seconds turned into round(seconds x 10) x 100), ratios in
// whole percent, and the five options.
struct ov_medley_values {
  int fadein_min = 2000, fadein_max = 7000;
  int flatline_min = 20000, flatline_max = 45000;
  int fadeout_min = 2000, fadeout_max = 7000;
  int start_min = 0, start_max = 180000;
  int flatline_ratio_min = 30, flatline_ratio_max = 50;
  int start_ratio_min = 0, start_ratio_max = 50;
  bool flatline_in_seconds = true;
  bool start_in_seconds = true;
  bool adjust_fade_length = false;
  bool no_fade_on_begin_end = false;
  bool longer_on_high_scored = false;

  bool operator==(const ov_medley_values&) const = default;
};
