#pragma once

#include "ov_medley_values.h"
#include "ov_play_types.h"
#include "ove_playback.h"

#include <QList>
#include <QString>

#include <optional>

class ov_track;
class ov_playlist_item;

// What a play controller tells its views. The widgets implement these
// small interfaces and the controllers hold them, so a controller never
// sees a widget and its tests hand in recording fakes. User input travels
// the other way as plain Qt connections made by the main window.

// The transport view: position slider, times and the play/pause state.
class ov_playback_port {
public:
  virtual ~ov_playback_port() = default;
  virtual void set_track(const ov_track* track) = 0;  // null changes nothing
  virtual void set_position(int ms) = 0;
  virtual void set_state(ove_playback::status state) = 0;
  virtual void reset() = 0;
};

// The track information view: cover, title links, rank icon, point effect
// and the incoming cover of a medley fade-in.
class ov_track_info_port {
public:
  virtual ~ov_track_info_port() = default;
  virtual void set_track(const ov_track* track) = 0;
  virtual void set_picture(const ov_track* track) = 0;
  virtual void show_incoming(int volume) = 0;
  virtual void hide_incoming() = 0;
  virtual void clear() = 0;
  virtual void update_rank(const ov_track* track) = 0;
  virtual void run_point_effect(int value) = 0;
};

// The next-tracks panel: candidate boxes the user may pick from.
class ov_next_tracks_port {
public:
  virtual ~ov_next_tracks_port() = default;
  virtual int number_of_boxes() const = 0;
  virtual void set_entries(const QList<ov_playlist_item*>& entries) = 0;
  virtual QList<ov_playlist_item*> shown_entries_except(const ov_playlist_item* entry) const = 0;
  virtual bool contains(const ov_playlist_item* entry) const = 0;
  virtual void run_point_effect(const ov_playlist_item* entry, int value) = 0;
  virtual void set_enabled(bool enabled) = 0;
};

// The play-control panel: the chosen play type and selection type.
class ov_play_control_port {
public:
  virtual ~ov_play_control_port() = default;
  virtual ov_play::play_type play_type() const = 0;
  virtual ov_play::selection_type selection_type() const = 0;
};

// The volume view: the global volume 0..100 the lines start with.
class ov_volume_port {
public:
  virtual ~ov_volume_port() = default;
  virtual int volume() const = 0;
};

// The medley panel: the values of the preset selected there, none when no
// valid preset is selected (the scheduler then uses the default values).
class ov_medley_panel_port {
public:
  virtual ~ov_medley_panel_port() = default;
  virtual std::optional<ov_medley_values> preset_values() const = 0;
};

// Shows a failure to the user (a modal error dialog in the program). The
// controllers call it after the slot that failed has finished its work.
class ov_error_port {
public:
  virtual ~ov_error_port() = default;
  virtual void show_error(const QString& text) = 0;
};
