#pragma once

#include "ov_medley_values.h"

#include <QMap>
#include <QString>

class ov_track;

// Draws the slice of a track that medley play plays: start position and the
// lengths of fade-in, flatline and fade-out, in milliseconds, between the
// bounds of the selected preset. Randomness comes from random_between.
class ov_medley_scheduler {
public:
  using lengths = QMap<QString, int>;

  // Keys of a schedule, as a play line takes them.
  static const QString key_fadein;
  static const QString key_flatline;
  static const QString key_fadeout;
  static const QString key_start;
  static const QString key_no_fade;

  // The flatline never gets shorter than this, and no bound longer than the cap.
  static constexpr int flatline_floor = 2000;
  static constexpr int bound_cap = 1000000;
  static constexpr int quick_fadein = 500;

  // Sets the eight bounds from a preset's values for a track. fadeout_length
  // is the fade-out of the line fading out now, or -1 without one.
  void apply_values(const ov_medley_values& v, const ov_track* track, int fadeout_length);

  lengths draw_lengths(int available) const;
  lengths draw_start_position(int available) const;
  lengths schedule(const ov_track* track) const;
  // schedule with a 500 ms fade-in, for a start the user asked for.
  lengths schedule_quick(const ov_track* track);

  int fadein_min = 2000;
  int fadein_max = 7000;
  int flatline_min = 20000;
  int flatline_max = 45000;
  int fadeout_min = 2000;
  int fadeout_max = 7000;
  int start_min = 0;
  int start_max = 180000;

private:
  struct part {
    int length;
    int bound;
  };
  // Up to five rounds that lengthen the three parts by draws out of the rest.
  static void spread_rest(part (&parts)[3], int rest);
};

// The length of a track in milliseconds.
int ov_track_length_ms(const ov_track* track);
