#pragma once

#include <QString>

#include <memory>
#include <unordered_map>

class ov_library;
class ov_playback_normal;
struct ov_track_group;
using ov_group_map = std::unordered_map<QString, std::unique_ptr<ov_track_group>>;

// The process-wide objects that start-up creates once, in order, and that
// the main window and its parts reach. Set by start-up only; null until
// created (and after start-up has torn them down at exit).
struct ov_globals {
  static ov_group_map* album_groups;
  static ov_group_map* artist_groups;
  static ov_library* library;
  static ov_playback_normal* playback_normal;
  static QString seed;
};
