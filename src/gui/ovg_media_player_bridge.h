#pragma once

#include "ov_media_player.h"

#include <QObject>

class ov_mpris;
class ovg_controller_abstract;
class ovg_mainwindow;

// The main window as the desktop's media controls see it. The controller
// that the transport actions reach (key_target()) answers for the state,
// the track and the position and takes the commands; the volume is the
// global one of the volume views, so setting it moves the sliders and the
// stored setting. After every event that may change what it reports, the
// bridge compares with what it told last and announces only the changes.
class ovg_media_player_bridge : public QObject, public ov_media_player {
  Q_OBJECT

public:
  explicit ovg_media_player_bridge(ovg_mainwindow* window, QObject* parent = nullptr);
  ~ovg_media_player_bridge() override;

  // Follows the window's changes from now on; until then the bridge reads
  // nothing (reading the key target writes its default when it is missing).
  void watch();
  // Watches and sends the changes to the service.
  void attach(ov_mpris* mpris);

  // ov_media_player
  status playback_status() const override;
  const ov_track* current_track() const override;
  qint64 position_ms() const override;
  int volume() const override;
  bool can_go_next() const override;
  bool can_go_previous() const override;
  bool can_play() const override;
  bool can_seek() const override;
  void play() override;
  void pause() override;
  void play_pause() override;
  void stop() override;
  void next() override;
  void previous() override;
  void set_position_ms(qint64 ms) override;
  void set_volume(int volume) override;
  void open_paths(const QStringList& paths) override;
  void raise() override;
  void quit() override;

signals:
  void esignal_status_changed();
  void esignal_track_changed();
  void esignal_volume_changed();
  void esignal_capabilities_changed();
  // The user moved the position slider of the reported controller.
  void esignal_seeked(qint64 position_ms);

public slots:
  // Compares what is reported now with what was told last and announces
  // what differs.
  void islot_refresh();

private:
  struct snapshot {
    status state = status::stopped;
    const ov_track* track = nullptr;
    int volume = 0;
    bool next = false, previous = false, play = false, seek = false;
  };
  snapshot take() const;
  ovg_controller_abstract* target() const;

  ovg_mainwindow* window_;
  snapshot told_;
  bool watching_ = false;
};
