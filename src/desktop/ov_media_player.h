#pragma once

#include <QStringList>
#include <QtGlobal>

class ov_track;

// What the player offers to the desktop's media controls: its state, the
// track in play and the transport commands. The main window implements it
// over the controller that the in-window transport actions reach.
class ov_media_player {
public:
  enum class status { stopped, playing, paused };

  virtual ~ov_media_player() = default;

  virtual status playback_status() const = 0;
  virtual const ov_track* current_track() const = 0;  // null when none
  virtual qint64 position_ms() const = 0;
  virtual int volume() const = 0;  // 0..100
  virtual bool can_go_next() const = 0;
  virtual bool can_go_previous() const = 0;
  virtual bool can_play() const = 0;
  virtual bool can_seek() const = 0;

  virtual void play() = 0;
  virtual void pause() = 0;
  virtual void play_pause() = 0;
  virtual void stop() = 0;
  virtual void next() = 0;
  virtual void previous() = 0;
  virtual void set_position_ms(qint64 ms) = 0;
  virtual void set_volume(int volume) = 0;
  // Adds the files to the library and plays the first, as Open With does.
  virtual void open_paths(const QStringList& paths) = 0;
  virtual void raise() = 0;
  virtual void quit() = 0;
};
