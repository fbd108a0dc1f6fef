#include "ovg_controller_normal.h"

#include "ov_log.h"
#include "ov_playline.h"
#include "ov_playlist.h"
#include "ov_track.h"
#include "ov_track_pool.h"

namespace {
const QString log_tag = QStringLiteral("controller_normal");
}  // namespace

ovg_controller_normal::ovg_controller_normal(const ovg_controller_views& views, ov_library* library,
                                             ov_favorite_engine* engine, QObject* parent)
    : ovg_controller_abstract(views, library, engine, parent), line_(std::make_unique<ov_playline>()) {
  line_->set_global_volume(views_.volume->volume());
  lines_.append(line_.get());
  connect(line_.get(), &ov_playline::esignal_play_finished, this, &ovg_controller_normal::islot_play_finished);
}

ovg_controller_normal::~ovg_controller_normal() {
  stop_position_timer();
  disconnect(line_.get(), nullptr, this, nullptr);
  lines_.clear();
  line_->reset();
  line_.reset();
}

void ovg_controller_normal::stop_line() {
  line_->stop();
  drop_stale_reports(line_.get());
}

void ovg_controller_normal::fail_load() {
  stop_line();
  set_state(stopped);
  defer_load_error(selected_item());
}

void ovg_controller_normal::p_select_track(ov_playlist_item* item) {
  if (selected_item()) awards().save(selected_item()->track());
  set_current_item(item);
  reset_listening_count();
  if (item) {
    ov_track* track = item->track();
    ov_log_write(ov_log::DEBUG, log_tag,
                 QStringLiteral("p_select_track: m_selected_item: ") + (track ? track->tags().file_path() : QString()));
    views_.playback->set_track(track);
    views_.track_info->set_track(track);
    line_->load(track);
    drop_stale_reports(line_.get());
  }
  defer_track_status_changed();
}

void ovg_controller_normal::p_play_new(ov_playlist* playlist, int row) {
  if (!playlist) return;
  ov_playlist_item* item = begin_play_new(playlist, row);
  if (!item) return;
  if (state() == playing || state() == paused) stop_line();
  p_select_track(item);
  if (!line_->is_loaded()) return fail_load();
  line_->play();
  set_state(playing);
}

void ovg_controller_normal::p_toggle_play_pause() {
  if (!line_->is_loaded()) {
    if (state() != idle) fail_load();
    return;
  }
  if (state() == playing) {
    line_->pause();
    set_state(paused);
  } else if (state() == paused || state() == stopped) {
    line_->play();
    set_state(playing);
  }
}

void ovg_controller_normal::p_pause() {
  if (state() != playing) return;
  line_->pause();
  set_state(paused);
}

void ovg_controller_normal::p_stop() {
  stop_line();
  set_state(stopped);
}

void ovg_controller_normal::step(bool forward) {
  const bool at_limit = forward ? is_at_end() : is_at_start();
  if (!is_repeat_type() && at_limit) return;
  const state_type s = state();
  if (s != idle) {
    stop_line();
    set_state(stopped);
  }
  if (at_limit) pool()->reset();
  forward ? run_go_next_selection() : run_go_previous_selection();
  if (!selected_item()) {
    views_.playback->reset();
    views_.track_info->clear();
    set_state(idle);
  } else if (!line_->is_loaded()) {
    return fail_load();
  }
  refresh_nexts();
  if (selected_item() && s == playing) {
    line_->play();
    set_state(playing);
  }
}

void ovg_controller_normal::p_go_next() {
  step(true);
}
void ovg_controller_normal::p_go_previous() {
  step(false);
}

void ovg_controller_normal::p_update_time_position() {
  play_through_tick();
  views_.playback->set_position(line_->position());
}

void ovg_controller_normal::p_position_changed(int msec) {
  line_->seek(msec);
}

void ovg_controller_normal::p_current_item_removed() {
  stop_line();
  views_.playback->reset();
  views_.track_info->clear();
  set_current_item(nullptr);
  set_state(idle);
}

// The end of the file. A report left over from a file or run that has been
// replaced since was dropped when the line changed; one that still arrives
// while the controller is not playing is ignored.
void ovg_controller_normal::islot_play_finished(ov_playline* playline, int) {
  guarded([&] {
    if (playline != line_.get() || state() != playing) return;
    if (!is_repeat_type() && is_at_end()) {
      stop_line();
      set_state(stopped);
      return;
    }
    p_go_next();
  });
}
