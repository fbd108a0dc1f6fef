#include "ovg_controller_manual_medley.h"

#include "ov_log.h"
#include "ov_playback_normal.h"
#include "ov_playline.h"
#include "ov_playlist.h"
#include "ov_track.h"
#include "ov_track_pool.h"

namespace {
const QString log_tag = QStringLiteral("controller_manual_medley");
void debug(const QString& text) {
  ov_log_write(ov_log::DEBUG, log_tag, text);
}
}  // namespace

ovg_controller_manual_medley::ovg_controller_manual_medley(const ovg_controller_views& views,
                                                           ov_medley_panel_port* medley_panel, ov_library* library,
                                                           ov_favorite_engine* engine, QObject* parent)
    : ovg_controller_abstract(views, library, engine, parent), medley_panel_(medley_panel) {
  for (auto& owned : owned_lines_) {
    owned = std::make_unique<ov_playline>();
    ov_playline* line = owned.get();
    connect(line, &ov_playline::esignal_fadein_finished, this, &ovg_controller_manual_medley::slot_fadein_finished);
    connect(line, &ov_playline::esignal_flatline_finished, this, &ovg_controller_manual_medley::slot_flatline_finished);
    connect(line, &ov_playline::esignal_fadeout_finished, this, &ovg_controller_manual_medley::slot_fadeout_finished);
    connect(line, &ov_playline::esignal_play_finished, this, &ovg_controller_manual_medley::slot_play_finished);
    line->set_global_volume(views_.volume->volume());
    lines_.append(line);
  }
}

ovg_controller_manual_medley::~ovg_controller_manual_medley() {
  stop_position_timer();
  for (auto& owned : owned_lines_) disconnect(owned.get(), nullptr, this, nullptr);
  lines_.clear();
  fadein_line_ = flatline_line_ = fadeout_line_ = nullptr;
  for (auto& owned : owned_lines_) {
    owned->reset();
    owned.reset();
  }
}

// --- steps ---

void ovg_controller_manual_medley::apply_preset(const ov_track* track) {
  const std::optional<ov_medley_values> preset = medley_panel_ ? medley_panel_->preset_values() : std::nullopt;
  scheduler_.apply_values(preset.value_or(ov_medley_values()), track,
                          fadeout_line_ ? fadeout_line_->fadeout_length() : -1);
}

bool ovg_controller_manual_medley::load_next_line(bool quick) {
  ov_playline* line = lines_.takeFirst();
  lines_.append(line);
  fadein_line_ = line;
  ov_track* track = selected_item() ? selected_item()->track() : nullptr;
  apply_preset(track);
  ov_medley_scheduler::lengths lengths = quick ? scheduler_.schedule_quick(track) : scheduler_.schedule(track);
  debug(QStringLiteral("scheduled: fi=%1,  fl=%2,  fo=%3,  sp=%4;")
            .arg(lengths.value(ov_medley_scheduler::key_fadein))
            .arg(lengths.value(ov_medley_scheduler::key_flatline))
            .arg(lengths.value(ov_medley_scheduler::key_fadeout))
            .arg(lengths.value(ov_medley_scheduler::key_start)));
  const std::optional<ov_medley_values> preset = medley_panel_ ? medley_panel_->preset_values() : std::nullopt;
  if (preset && preset->no_fade_on_begin_end) lengths.insert(ov_medley_scheduler::key_no_fade, 1);
  reset_line(line);
  const bool loaded = line->load(track);
  drop_stale_reports(line);
  line->apply_lengths(lengths);
  line->prepare_fadein();
  return loaded;
}

void ovg_controller_manual_medley::start_fadein_line() {
  ov_playline* line = fadein_line_;
  line->prepare_fadein();
  // With "no fade on begin/end" a slice from the very beginning starts at
  // full volume; its fade-in phase keeps its length, and a fader never
  // lowers a fade-in, so the volume stays there.
  if (line->is_no_fade() && line->start_position() == 0) line->playback()->set_volume(100);
  line->play();
  line->start_fadein();
}

void ovg_controller_manual_medley::fade_out_now() {
  if (fadein_line_) {
    fadein_line_->cancel_faders();
    fadeout_line_ = fadein_line_;
    if (flatline_line_) reset_line(flatline_line_);
  } else if (flatline_line_) {
    flatline_line_->cancel_faders();
    fadeout_line_ = flatline_line_;
  } else if (fadeout_line_) {
    fadeout_line_->cancel_faders();
  } else {
    return;
  }
  fadein_line_ = flatline_line_ = nullptr;
  fadeout_held_ = false;
  fadeout_line_->prepare_quick_fadeout();
  fadeout_line_->start_quick_fadeout();
}

void ovg_controller_manual_medley::pause_lines() {
  for (ov_playline* line : lines_) {
    line->pause();
    line->cancel_faders();
  }
}

void ovg_controller_manual_medley::reset_line(ov_playline* line) {
  line->reset();
  drop_stale_reports(line);
}

void ovg_controller_manual_medley::reset_lines() {
  for (ov_playline* line : lines_) reset_line(line);
}

void ovg_controller_manual_medley::clear_lines() {
  reset_lines();
  fadein_line_ = flatline_line_ = fadeout_line_ = nullptr;
  fadeout_held_ = false;
}

void ovg_controller_manual_medley::resume_lines() {
  if (fadein_line_) {
    fadein_line_->start_fadein();
    fadein_line_->play();
  }
  if (flatline_line_) {
    flatline_line_->start_flatline();
    flatline_line_->play();
  }
  if (fadeout_line_) {
    if (!fadeout_held_) fadeout_line_->start_fadeout();
    fadeout_line_->play();
  }
}

bool ovg_controller_manual_medley::reaches_end_of_file(const ov_playline* line) const {
  const int end = line->start_position() + line->fadein_length() + line->flatline_length() + line->fadeout_length();
  return end >= ov_track_length_ms(line->track());
}

void ovg_controller_manual_medley::start_fadeout_phase() {
  fadeout_held_ = fadeout_line_->is_no_fade() && fadeout_line_->is_loaded() && reaches_end_of_file(fadeout_line_);
  if (fadeout_held_) return;
  fadeout_line_->prepare_fadeout();
  fadeout_line_->start_fadeout();
}

bool ovg_controller_manual_medley::start_next_slice() {
  if (!load_next_line(true)) {
    clear_lines();
    set_state(stopped);
    defer_load_error(selected_item());
    return false;
  }
  start_fadein_line();
  return true;
}

// The next slice of the automatic chain; a track that fails to load plays
// silently through its lengths.
void ovg_controller_manual_medley::advance_chain(bool quick) {
  run_go_next_selection();
  refresh_nexts();
  if (!selected_item()) return;
  load_next_line(quick);
  start_fadein_line();
}

// --- operations ---

void ovg_controller_manual_medley::p_select_track(ov_playlist_item* item) {
  set_current_item(item);
  reset_listening_count();
  if (item) views_.track_info->set_picture(item->track());
  defer_track_status_changed();
}

void ovg_controller_manual_medley::p_play_new(ov_playlist* playlist, int row) {
  if (!playlist) return;
  ov_playlist_item* item = begin_play_new(playlist, row);
  if (!item) return;
  if (state() == playing)
    fade_out_now();
  else if (state() == paused)
    clear_lines();
  p_select_track(item);
  if (start_next_slice()) set_state(playing);
}

void ovg_controller_manual_medley::p_toggle_play_pause() {
  if (state() == playing) {
    pause_lines();
    set_state(paused);
  } else if (state() == paused) {
    resume_lines();
    set_state(playing);
  } else if (state() == stopped && selected_item()) {
    if (start_next_slice()) set_state(playing);
  }
}

void ovg_controller_manual_medley::p_pause() {
  if (state() != playing) return;
  pause_lines();
  set_state(paused);
}

void ovg_controller_manual_medley::p_stop() {
  clear_lines();
  set_state(stopped);
}

void ovg_controller_manual_medley::step(bool forward) {
  const bool at_limit = forward ? is_at_end() : is_at_start();
  if (!is_repeat_type() && at_limit) return;
  if (state() == idle) return;
  if (state() == paused) {
    clear_lines();
    set_state(stopped);
  }
  const bool was_playing = state() == playing;
  if (was_playing) fade_out_now();
  if (at_limit) pool()->reset();
  forward ? run_go_next_selection() : run_go_previous_selection();
  refresh_nexts();
  if (was_playing && selected_item()) start_next_slice();
}

void ovg_controller_manual_medley::p_go_next() {
  step(true);
}
void ovg_controller_manual_medley::p_go_previous() {
  step(false);
}

void ovg_controller_manual_medley::p_update_time_position() {
  play_through_tick();
  if (flatline_line_) views_.playback->set_position(flatline_line_->position());
  if (fadein_line_) views_.track_info->show_incoming(fadein_line_->volume());
}

void ovg_controller_manual_medley::p_position_changed(int msec) {
  if (ov_playline* line = position_line()) line->seek(msec);
}

void ovg_controller_manual_medley::p_current_item_removed() {
  clear_lines();
  views_.playback->reset();
  views_.track_info->clear();
  set_current_item(nullptr);
  set_state(idle);
}

// --- line reports ---

void ovg_controller_manual_medley::slot_fadein_finished(ov_playline* playline, int fade_id) {
  guarded([&] {
    if (!playline || playline != fadein_line_ || fade_id != playline->current_id()) return;
    debug(QStringLiteral("FADEIN: finished"));
    stop_position_timer();
    flatline_line_ = fadein_line_;
    fadein_line_ = nullptr;
    views_.track_info->hide_incoming();
    flatline_line_->prepare_flatline();
    flatline_line_->start_flatline();
    views_.track_info->set_track(flatline_line_->track());
    views_.playback->set_track(flatline_line_->track());
    debug(QStringLiteral("FLATLINE: started"));
    start_position_timer();
  });
}

void ovg_controller_manual_medley::slot_flatline_finished(ov_playline* playline, int fade_id) {
  guarded([&] {
    if (!playline || playline != flatline_line_ || fade_id != playline->current_id()) return;
    debug(QStringLiteral("FLATLINE: finished"));
    fadeout_line_ = flatline_line_;
    flatline_line_ = nullptr;
    if (is_at_end() && is_repeat_type()) pool()->reset();
    if (!is_at_end()) advance_chain(false);
    start_fadeout_phase();
  });
}

void ovg_controller_manual_medley::slot_fadeout_finished(ov_playline* playline, int fade_id) {
  guarded([&] {
    if (!playline || fade_id != playline->current_id() || playline == fadein_line_ || playline == flatline_line_)
      return;
    // Silent until it is given its next file: the line stops decoding and
    // keeps its volume at 0. This also ends a line whose fade a quicker one
    // replaced.
    playline->stop();
    drop_stale_reports(playline);
    if (playline != fadeout_line_) return;
    debug(QStringLiteral("FADEOUT: finished"));
    fadeout_line_ = nullptr;
    fadeout_held_ = false;
    if (!fadein_line_ && !flatline_line_ && state() == playing) set_state(stopped);
  });
}

void ovg_controller_manual_medley::slot_play_finished(ov_playline* playline, int fade_id) {
  guarded([&] {
    if (!playline || fade_id != playline->current_id()) return;
    if (playline != fadein_line_ && playline != flatline_line_ && playline != fadeout_line_) return;
    debug(QStringLiteral("PLAY: finished"));
    if (playline == fadeout_line_ && (fadein_line_ || flatline_line_)) {
      reset_line(playline);
      fadeout_line_ = nullptr;
      fadeout_held_ = false;
    } else if (playline == flatline_line_ && fadein_line_) {
      reset_line(playline);
      flatline_line_ = nullptr;
    } else {
      clear_lines();
      if (is_at_end() && is_repeat_type()) pool()->reset();
      if (!is_at_end()) advance_chain(true);
      if (!fadein_line_) set_state(stopped);
    }
  });
}
