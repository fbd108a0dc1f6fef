#pragma once

#include "ovg_controller_abstract.h"

#include <memory>

// Normal play: whole tracks of a playlist on one play line, the next one
// chosen at the end of each track by the play type.
class ovg_controller_normal : public ovg_controller_abstract {
  Q_OBJECT

public:
  ovg_controller_normal(const ovg_controller_views& views, ov_library* library, ov_favorite_engine* engine,
                        QObject* parent = nullptr);
  // Stops the line and joins its threads before anything else goes.
  ~ovg_controller_normal() override;

  ov_playline* line() const { return line_.get(); }
  ov_playline* position_line() const override { return line_.get(); }

public slots:
  void islot_play_finished(ov_playline* playline, int current_id);

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
  ov_listening_history::play_mode history_mode() const override { return ov_listening_history::play_mode::normal; }

private:
  void stop_line();
  // Stops the line, state stopped and the error dialog for the current item.
  void fail_load();
  // Go-next and go-previous share everything but the end test and the selection.
  void step(bool forward);

  std::unique_ptr<ov_playline> line_;
};
