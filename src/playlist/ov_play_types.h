#pragma once

// How a controller walks its playlist (the play type) and which tracks its
// weighted draws favour (the selection type). The values are those stored
// in the settings; the track pool turns them into and from their texts.
namespace ov_play {
enum play_type : int {
  play_normal = 1,
  play_normal_repeat = 2,
  play_shuffle = 3,
  play_shuffle_repeat = 4,
  play_random = 5,
  play_repeat_track = 6,
};
enum selection_type : int {
  select_high_scored = 1,
  select_middle_scored = 2,
  select_low_scored = 3,
  select_random = 4
};
}  // namespace ov_play
