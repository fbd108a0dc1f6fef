#pragma once

#include "ov_medley_scheduler.h"
#include "ovg_controller_abstract.h"

#include <array>
#include <memory>

// Shuffle medley play: a slice of each track on a pool of four play lines
// that rotate strictly. A line fades in, holds a flatline at full volume and
// fades out while the next line already fades in over it.
class ovg_controller_manual_medley : public ovg_controller_abstract {
  Q_OBJECT

public:
  static constexpr int line_count = 4;

  ovg_controller_manual_medley(const ovg_controller_views& views, ov_medley_panel_port* medley_panel,
                               ov_library* library, ov_favorite_engine* engine, QObject* parent = nullptr);
  // Stops every line and joins its threads before anything else goes.
  ~ovg_controller_manual_medley() override;

  ov_playline* fadein_line() const { return fadein_line_; }
  ov_playline* flatline_line() const { return flatline_line_; }
  ov_playline* fadeout_line() const { return fadeout_line_; }
  // The newest slice: the one fading in, else the one on its flatline.
  ov_playline* position_line() const override { return fadein_line_ ? fadein_line_ : flatline_line_; }
  const ov_medley_scheduler& scheduler() const { return scheduler_; }

public slots:
  void slot_fadein_finished(ov_playline* playline, int fade_id);
  void slot_flatline_finished(ov_playline* playline, int fade_id);
  void slot_fadeout_finished(ov_playline* playline, int fade_id);
  void slot_play_finished(ov_playline* playline, int fade_id);

protected:
  void p_play_new(ov_playlist* playlist, int row) override;
  void p_toggle_play_pause() override;
  void p_pause() override;
  void p_stop() override;
  void p_go_previous() override;
  void p_go_next() override;
  void p_update_time_position() override;
  void p_position_changed(int msec) override;
  void p_current_item_removed() override;
  void p_select_track(ov_playlist_item* item) override;
  ov_listening_history::play_mode history_mode() const override {
    return ov_listening_history::play_mode::shuffle_medley;
  }

private:
  void apply_preset(const ov_track* track);
  bool load_next_line(bool quick);
  void start_fadein_line();
  void fade_out_now();
  void resume_lines();
  void pause_lines();
  void reset_lines();
  // reset_lines and no line in any phase.
  void clear_lines();
  void reset_line(ov_playline* line);
  // Starts the fade-out of the fade-out line, or, when the slice runs to the
  // end of its file with "no fade on begin/end", lets it play out at full volume.
  void start_fadeout_phase();
  bool reaches_end_of_file(const ov_playline* line) const;
  // Loads and starts the next slice after a user command; false (with the
  // lines reset, state stopped and the error dialog) when it failed to load.
  bool start_next_slice();
  void step(bool forward);
  void advance_chain(bool quick);

  ov_medley_panel_port* medley_panel_;
  ov_medley_scheduler scheduler_;
  ov_playline* fadein_line_ = nullptr;
  ov_playline* flatline_line_ = nullptr;
  ov_playline* fadeout_line_ = nullptr;
  bool fadeout_held_ = false;  // the fade-out line plays out without fading
  std::array<std::unique_ptr<ov_playline>, line_count> owned_lines_;
};
