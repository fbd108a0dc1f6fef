#pragma once

#include "ove_playback.h"

#include <QObject>
#include <QString>

#include <shared_mutex>

class ov_playback_core;

// The playback object one line of sound holds: owns at most one core, builds
// a new one for every loaded file, forwards the playing operations while a
// load has succeeded, keeps the master volume across loads and re-emits the
// core's signals as its own.
class ov_playback_normal : public QObject {
  Q_OBJECT
public:
  ov_playback_normal();
  ~ov_playback_normal() override;

  bool load(const QString& file_path);
  void play();
  void pause();
  void stop();
  // Line volume; safe to call from fader threads.
  void set_volume(int v);
  int volume();
  void seek(int msec);
  int position();

  bool is_loaded() const { return loaded_; }
  QString file_path() const { return file_path_; }
  int global_volume() const { return global_volume_; }
  ove_playback::status state() const { return state_; }

signals:
  void signal_finished();
  void signal_position_changed(int msec);
  void signal_state_changed(ove_playback::status old_state, ove_playback::status new_state);
  void signal_trunk_file_changed(QString new_filepath);

public slots:
  void slot_finished();
  void slot_position_changed(int msec);
  void slot_state_changed(ove_playback::status old_state, ove_playback::status new_state);
  void slot_global_volume_changed(int new_volume);

private:
  void drop_core();

  bool loaded_ = false;
  QString file_path_;
  int global_volume_ = 100;
  ov_playback_core* core_ = nullptr;
  ove_playback::status state_ = ove_playback::ready;
  // Fader threads reach the core through set_volume/volume while the GUI
  // thread may replace it: the core pointer is swapped under this lock.
  std::shared_mutex core_lock_;
};
