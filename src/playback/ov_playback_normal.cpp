#include "ov_playback_normal.h"

#include "ov_playback_core.h"
#include "ov_util.h"

ov_playback_normal::ov_playback_normal() = default;

ov_playback_normal::~ov_playback_normal() {
  drop_core();
}

void ov_playback_normal::drop_core() {
  ov_playback_core* old = nullptr;
  {
    std::unique_lock l(core_lock_);
    old = core_;
    core_ = nullptr;
    loaded_ = false;
  }
  if (!old) return;
  old->stop();
  delete old;
}

bool ov_playback_normal::load(const QString& file_path) {
  if (core_ && loaded_) drop_core();
  auto* core = new ov_playback_core(file_path, global_volume_);
  if (!core->is_valid()) {
    delete core;
    return false;
  }
  connect(core, &ov_playback_core::signal_finished, this, &ov_playback_normal::slot_finished);
  connect(core, &ov_playback_core::signal_position_changed, this, &ov_playback_normal::slot_position_changed);
  connect(core, &ov_playback_core::signal_state_changed, this, &ov_playback_normal::slot_state_changed);
  {
    std::unique_lock l(core_lock_);
    core_ = core;
    loaded_ = true;
  }
  file_path_ = file_path;
  emit signal_trunk_file_changed(file_path);
  return true;
}

void ov_playback_normal::play() {
  if (core_ && loaded_) core_->play();
}

void ov_playback_normal::pause() {
  if (core_ && loaded_) core_->pause();
}

void ov_playback_normal::stop() {
  if (core_ && loaded_) core_->stop();
}

void ov_playback_normal::set_volume(int v) {
  std::shared_lock l(core_lock_);
  if (core_ && loaded_) core_->set_volume(v);
}

int ov_playback_normal::volume() {
  std::shared_lock l(core_lock_);
  return core_ && loaded_ ? core_->volume() : 0;
}

void ov_playback_normal::seek(int msec) {
  if (core_ && loaded_) core_->seek(msec);
}

int ov_playback_normal::position() {
  return core_ && loaded_ ? core_->position() : 0;
}

void ov_playback_normal::slot_finished() {
  state_ = ove_playback::finished;
  emit signal_finished();
}

void ov_playback_normal::slot_position_changed(int msec) {
  emit signal_position_changed(msec);
}

void ov_playback_normal::slot_state_changed(ove_playback::status old_state, ove_playback::status new_state) {
  state_ = new_state;
  emit signal_state_changed(old_state, new_state);
}

void ov_playback_normal::slot_global_volume_changed(int new_volume) {
  global_volume_ = ov_clamp(new_volume, 0, 100);
  if (core_ && loaded_) core_->set_global_volume(global_volume_);
}
