#include "ovg_media_player_bridge.h"

#include "ov_mpris.h"
#include "ov_playline.h"
#include "ov_playlist.h"
#include "ov_playlist_item.h"
#include "ovg_controller_abstract.h"
#include "ovg_mainwindow.h"
#include "ovg_play_mode.h"
#include "ovg_playlists_area.h"
#include "ovg_slider.h"
#include "ovg_table_view_playlist.h"
#include "ovg_table_view_tracks.h"
#include "ovgv_playback.h"
#include "ovgv_volume.h"

#include <QTabWidget>

#include <utility>

ovg_media_player_bridge::ovg_media_player_bridge(ovg_mainwindow* window, QObject* parent)
    : QObject(parent), window_(window) {}

ovg_media_player_bridge::~ovg_media_player_bridge() = default;

void ovg_media_player_bridge::watch() {
  if (watching_) return;
  watching_ = true;
  for (ovg_play_mode* mode : {window_->normal_mode(), window_->medley_mode()}) {
    ovg_controller_abstract* c = mode->controller();
    connect(c, &ovg_controller_abstract::esignal_state_changed, this, &ovg_media_player_bridge::islot_refresh);
    // Also after the window made this controller the playing one.
    connect(c, &ovg_controller_abstract::esignal_state_changed_to_playing, this,
            &ovg_media_player_bridge::islot_refresh);
    connect(c, &ovg_controller_abstract::esignal_track_status_changed, this, &ovg_media_player_bridge::islot_refresh);
    connect(mode->volume_view(), &ovgv_volume::esignal_slider_volume_value_changed, this,
            &ovg_media_player_bridge::islot_refresh);
    connect(mode->playback_view(), &ovgv_playback::esignal_slider_position_released, this, [this, mode](int ms) {
      if (window_->mode_of(target()) == mode) emit esignal_seeked(ms);
    });
  }
  connect(window_->tab_widget(), &QTabWidget::currentChanged, this, &ovg_media_player_bridge::islot_refresh);
  // Whether there is something to play: the shown playlist and its size.
  ovg_playlists_area* area = window_->playlists_area();
  connect(area->playlist_view(), &ovg_table_view_playlist::signal_current_item_changed, this,
          &ovg_media_player_bridge::islot_refresh);
  const auto watch_playlist = [this](ov_playlist* playlist) {
    connect(playlist, &ov_playlist::esignal_number_of_tracks_changed, this, &ovg_media_player_bridge::islot_refresh,
            Qt::UniqueConnection);
  };
  for (ov_playlist* playlist : area->playlists()) watch_playlist(playlist);
  connect(area, &ovg_playlists_area::esignal_view_attached, this,
          [watch_playlist](ovg_table_view_tracks*, ov_playlist* playlist) { watch_playlist(playlist); });
  told_ = take();
}

void ovg_media_player_bridge::attach(ov_mpris* mpris) {
  watch();
  connect(this, &ovg_media_player_bridge::esignal_status_changed, mpris, &ov_mpris::eslot_status_changed);
  connect(this, &ovg_media_player_bridge::esignal_track_changed, mpris, &ov_mpris::eslot_track_changed);
  connect(this, &ovg_media_player_bridge::esignal_volume_changed, mpris, &ov_mpris::eslot_volume_changed);
  connect(this, &ovg_media_player_bridge::esignal_capabilities_changed, mpris, &ov_mpris::eslot_capabilities_changed);
  connect(this, &ovg_media_player_bridge::esignal_seeked, mpris, &ov_mpris::eslot_seeked);
}

ovg_controller_abstract* ovg_media_player_bridge::target() const {
  return window_->key_target();
}

ovg_media_player_bridge::snapshot ovg_media_player_bridge::take() const {
  snapshot s;
  s.state = playback_status();
  s.track = current_track();
  s.volume = volume();
  s.next = can_go_next();
  s.previous = can_go_previous();
  s.play = can_play();
  s.seek = can_seek();
  return s;
}

void ovg_media_player_bridge::islot_refresh() {
  const snapshot now = take();
  const snapshot before = std::exchange(told_, now);
  if (now.track != before.track) emit esignal_track_changed();
  if (now.state != before.state) emit esignal_status_changed();
  if (now.volume != before.volume) emit esignal_volume_changed();
  if (now.next != before.next || now.previous != before.previous || now.play != before.play || now.seek != before.seek)
    emit esignal_capabilities_changed();
}

// ---- what is reported ---------------------------------------------------------

ov_media_player::status ovg_media_player_bridge::playback_status() const {
  const ovg_controller_abstract* c = target();
  if (!c) return status::stopped;
  switch (c->state()) {
    case ovg_controller_abstract::playing:
      return status::playing;
    case ovg_controller_abstract::paused:
      return status::paused;
    default:
      return status::stopped;
  }
}

// In medley play the selected item is the slice that fades in or holds the
// flatline: the newest one, whose line is also the controller's position line.
const ov_track* ovg_media_player_bridge::current_track() const {
  const ovg_controller_abstract* c = target();
  return c && c->selected_item() ? c->selected_item()->track() : nullptr;
}

qint64 ovg_media_player_bridge::position_ms() const {
  ovg_controller_abstract* c = target();
  if (!c || c->state() == ovg_controller_abstract::idle) return 0;
  ov_playline* line = c->position_line();
  return line ? line->position() : 0;
}

int ovg_media_player_bridge::volume() const {
  return window_->normal_mode()->volume_view()->volume();
}

bool ovg_media_player_bridge::can_go_next() const {
  const ovg_controller_abstract* c = target();
  return c && c->state() != ovg_controller_abstract::idle;
}

bool ovg_media_player_bridge::can_go_previous() const {
  return can_go_next();
}

// Play without a track in play starts the shown playlist.
bool ovg_media_player_bridge::can_play() const {
  const ovg_controller_abstract* c = target();
  if (!c) return false;
  if (c->selected_item()) return true;
  const ov_playlist* shown = window_->selected_playlist();
  return shown && shown->count() > 0;
}

bool ovg_media_player_bridge::can_seek() const {
  const ovg_controller_abstract* c = target();
  return c && current_track() &&
         (c->state() == ovg_controller_abstract::playing || c->state() == ovg_controller_abstract::paused);
}

// ---- commands -----------------------------------------------------------------

void ovg_media_player_bridge::play() {
  if (playback_status() != status::playing) window_->islot_play_pause();
}

void ovg_media_player_bridge::pause() {
  if (ovg_controller_abstract* c = target()) c->islot_pause();
}

void ovg_media_player_bridge::play_pause() {
  window_->islot_play_pause();
}
void ovg_media_player_bridge::stop() {
  window_->islot_stop();
}
void ovg_media_player_bridge::next() {
  window_->islot_go_next();
}
void ovg_media_player_bridge::previous() {
  window_->islot_go_previous();
}

void ovg_media_player_bridge::set_position_ms(qint64 ms) {
  if (ovg_controller_abstract* c = target(); c && can_seek()) c->islot_position_changed(int(ms));
}

// Through the slider, as a user's move: the other mode's slider follows and
// the setting is written.
void ovg_media_player_bridge::set_volume(int volume) {
  window_->normal_mode()->volume_view()->slider()->setValue(qBound(0, volume, 100));
}

void ovg_media_player_bridge::open_paths(const QStringList& paths) {
  window_->open_paths(paths);
}

void ovg_media_player_bridge::raise() {
  if (window_->isMinimized()) window_->showNormal();
  window_->show();
  window_->raise();
  window_->activateWindow();
}

void ovg_media_player_bridge::quit() {
  window_->close();
}
