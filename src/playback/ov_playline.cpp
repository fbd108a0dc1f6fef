#include "ov_playline.h"

#include "ov_playback_normal.h"
#include "ov_playline_fader.h"
#include "ov_track.h"

ov_playline::ov_playline()
    : playback_(std::make_unique<ov_playback_normal>()),
      fadein_(std::make_unique<ov_playline_fader>()),
      fadeout_(std::make_unique<ov_playline_fader>()),
      flatline_(std::make_unique<ov_playline_fader>()),
      quick_fadeout_(std::make_unique<ov_playline_fader>()) {
  connect(fadein_.get(), &ov_playline_fader::signal_fade_finished, this, &ov_playline::islot_fadein_finished);
  connect(fadeout_.get(), &ov_playline_fader::signal_fade_finished, this, &ov_playline::islot_fadeout_finished);
  connect(quick_fadeout_.get(), &ov_playline_fader::signal_fade_finished, this, &ov_playline::islot_fadeout_finished);
  connect(flatline_.get(), &ov_playline_fader::signal_fade_finished, this, &ov_playline::islot_flatline_finished);
  connect(playback_.get(), &ov_playback_normal::signal_finished, this, &ov_playline::islot_play_finished);
}

// The faders use the playback: they stop before it goes.
ov_playline::~ov_playline() {
  cancel_faders();
}

bool ov_playline::load(ov_track* track) {
  track_ = track;
  loaded_ = track && playback_->load(track->tags().file_path());
  return loaded_;
}

bool ov_playline::load_file(const QString& file_path) {
  track_ = nullptr;
  loaded_ = playback_->load(file_path);
  return loaded_;
}

void ov_playline::apply_lengths(const QMap<QString, int>& lengths) {
  fadein_length_ = lengths.value(QStringLiteral("fadein_length"), 0);
  flatline_length_ = lengths.value(QStringLiteral("flatline_length"), 0);
  fadeout_length_ = lengths.value(QStringLiteral("fadeout_length"), 0);
  start_position_ = lengths.value(QStringLiteral("start_position"), 0);
  no_fade_ = lengths.value(QStringLiteral("is_no_fade_on_begin_end_enabled"), 0) != 0;
}

// The line goes silent before the fader takes its starting level, so the
// fade rises from 0 whatever the volume was before.
void ov_playline::prepare_fadein() {
  playback_->seek(start_position_);
  playback_->set_volume(0);
  fadein_->setup(playback_.get(), ov_playline_fader::fade_in, fadein_length_);
}

void ov_playline::prepare_flatline() {
  flatline_->setup(playback_.get(), ov_playline_fader::flatline, flatline_length_);
}

void ov_playline::prepare_fadeout() {
  fadeout_->setup(playback_.get(), ov_playline_fader::fade_out, fadeout_length_);
}

void ov_playline::prepare_quick_fadeout() {
  quick_fadeout_->setup(playback_.get(), ov_playline_fader::fade_out, quick_fadeout_length);
}

void ov_playline::start(ov_playline_fader* fader) {
  fader->cancel();
  ++current_id_;
  fader->set_id(current_id_);
  fader->start_run();
}

void ov_playline::start_fadein() {
  start(fadein_.get());
}
void ov_playline::start_flatline() {
  start(flatline_.get());
}
void ov_playline::start_fadeout() {
  start(fadeout_.get());
}
void ov_playline::start_quick_fadeout() {
  start(quick_fadeout_.get());
}

void ov_playline::cancel_faders() {
  fadein_->cancel();
  fadeout_->cancel();
  flatline_->cancel();
  quick_fadeout_->cancel();
}

void ov_playline::reset() {
  playback_->stop();
  cancel_faders();
  playback_->set_volume(100);
}

void ov_playline::play() {
  playback_->play();
}
void ov_playline::pause() {
  playback_->pause();
}
void ov_playline::stop() {
  playback_->stop();
}
void ov_playline::seek(int msec) {
  playback_->seek(msec);
}
int ov_playline::position() {
  return playback_->position();
}
int ov_playline::volume() {
  return playback_->volume();
}
void ov_playline::set_global_volume(int v) {
  playback_->slot_global_volume_changed(v);
}

void ov_playline::islot_fadein_finished(int id) {
  emit esignal_fadein_finished(this, id);
}
void ov_playline::islot_fadeout_finished(int id) {
  emit esignal_fadeout_finished(this, id);
}
void ov_playline::islot_flatline_finished(int id) {
  emit esignal_flatline_finished(this, id);
}
void ov_playline::islot_play_finished() {
  emit esignal_play_finished(this, current_id_);
}
