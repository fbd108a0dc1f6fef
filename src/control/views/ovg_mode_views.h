#pragma once

class QWidget;

// The views of one play mode as the palettes see them: the widgets to place
// and the few calls the palette states make on them. The main window fills
// it from the real views; the widgets themselves belong to the palettes'
// arrangements once placed.
class ovg_mode_views {
public:
  enum class playback_arrangement : int { wide, compact };
  enum class icon_size : int { small, large };  // 18 x 18 or 24 x 24 buttons

  virtual ~ovg_mode_views() = default;

  virtual QWidget* playback() const = 0;
  virtual QWidget* track_info() const = 0;
  virtual QWidget* next_tracks() const = 0;
  virtual QWidget* volume() const = 0;
  virtual QWidget* engine_status() const = 0;

  virtual void set_playback_arrangement(playback_arrangement arrangement) = 0;
  virtual void set_playback_icon_size(icon_size size) = 0;
  // Maximum width of each of the four text parts of the track information.
  virtual void set_track_info_text_max_width(int width) = 0;
};
