#pragma once

#include "ov_activity_awards.h"
#include "ov_favorite_engine.h"
#include "ov_listening_history.h"
#include "ov_playlist.h"
#include "ov_view_ports.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class QTimer;
class ov_favorite_engine;
class ov_library;
class ov_playline;
class ov_playlist;
class ov_playlist_item;
class ov_track;
class ov_track_pool;

// The views a controller drives, all owned elsewhere.
struct ovg_controller_views {
  ov_playback_port* playback = nullptr;
  ov_track_info_port* track_info = nullptr;
  ov_next_tracks_port* next_tracks = nullptr;
  ov_play_control_port* play_control = nullptr;
  ov_volume_port* volume = nullptr;
  ov_error_port* error = nullptr;
};

// What both kinds of play share: the current playlist and item, the track
// pool, the state with its 50 ms position timer, the listening count with
// its play-through award, like and dislike, and the next-tracks panel with
// its selected and not-selected awards (the arithmetic of which is
// ov_activity_awards'), and what goes into the listening history: the
// awards, and each play of a track with the seconds listened to it. Lives
// on the GUI thread only.
//
// Every slot runs its work inside a guard that marks the controller busy;
// signals and the error dialog run after the guard is left, so what they
// start may call the controller again. A slot called while another one of
// the same controller is still at work is a fault of the caller: debug
// builds assert, release builds log it and drop the nested call.
class ovg_controller_abstract : public QObject {
  Q_OBJECT

public:
  enum state_type : int { idle = 0, playing = 1, paused = 2, stopped = 3 };
  static constexpr int position_interval_ms = 50;

  ovg_controller_abstract(const ovg_controller_views& views, ov_library* library, ov_favorite_engine* engine,
                          QObject* parent = nullptr);
  ~ovg_controller_abstract() override;

  state_type state() const { return state_; }
  ov_playlist* playlist() const { return playlist_; }
  ov_playlist_item* selected_item() const { return m_selected_item; }
  ov_playlist_item* chosen_next() const { return chosen_next_; }
  ov_track_pool* pool() const { return pool_.get(); }
  const QList<ov_playline*>& lines() const { return lines_; }
  int listening_seconds() const { return listening_seconds_; }
  bool is_position_timer_active() const;
  // The line a seek moves and whose position counts as the current track's
  // (null when none is loaded).
  virtual ov_playline* position_line() const = 0;
  // True while a slot is at work.
  bool is_busy() const { return busy_; }
  // The wall clock of the listening count and the history, in whole seconds.
  void set_clock(std::function<qint64()> clock) { clock_ = std::move(clock); }
  // Where awards and plays are recorded; null (the default) records nothing.
  void set_history(ov_listening_history* history);

signals:
  void esignal_title_clicked(ov_playlist* playlist, ov_playlist_item* item);
  void esignal_track_status_changed(ov_playlist* playlist);
  void esignal_state_changed_to_playing();
  // Any change of state(), after the slot that made it finished its work.
  void esignal_state_changed();
  // Play was pressed with no current item to play or resume.
  void esignal_play_clicked_on_no_selected();
  void esignal_point_incremented_on_play_new(ov_playlist* playlist, int row_index, int increment);

public slots:
  void islot_label_title_clicked();
  void islot_button_like_clicked();
  void islot_button_dislike_clicked();
  void islot_volume_changed(int new_volume);
  void islot_next_track_clicked(ov_playlist_item* item);
  void islot_next_track_double_clicked(ov_playlist_item* item);
  void islot_next_tracks_size_changed();
  void islot_play_type_changed();
  void islot_track_removed(ov_playlist_item* item_removed);
  void islot_play_new(ov_playlist* playlist, int index);
  void islot_toggle_play_pause();
  void islot_pause();
  void islot_stop();
  // The other controller started playing: stops, and the current entry loses
  // its playing mark unless it is the other's current entry as well. An idle
  // controller stays idle.
  void islot_stop_for_other(const ov_playlist_item* other_entry);
  void islot_go_next();
  void islot_go_previous();
  void islot_update_time_position();
  void islot_position_changed(int new_position);
  void islot_current_item_removed();

protected:
  virtual void p_play_new(ov_playlist* playlist, int row) = 0;
  virtual void p_toggle_play_pause() = 0;
  virtual void p_pause() = 0;
  virtual void p_stop() = 0;
  virtual void p_go_previous() = 0;
  virtual void p_go_next() = 0;
  virtual void p_update_time_position() = 0;
  virtual void p_position_changed(int msec) = 0;
  virtual void p_current_item_removed() = 0;
  virtual void p_select_track(ov_playlist_item* item) = 0;
  // The play mode the history records for this controller's plays.
  virtual ov_listening_history::play_mode history_mode() const = 0;

  // Runs work inside the re-entry guard, then what it deferred (signals, dialogs).
  void guarded(const std::function<void()>& work);
  void defer(std::function<void()> action) { deferred_.push_back(std::move(action)); }
  void defer_track_status_changed();
  // The error dialog for a file that failed to open, shown after the work.
  void defer_load_error(const ov_playlist_item* item);

  void set_state(state_type s);
  void set_playlist(ov_playlist* playlist);
  void set_current_item(ov_playlist_item* item) { m_selected_item = item; }
  void forget_chosen_next() { chosen_next_ = nullptr; }
  void refresh_nexts();
  ov_play::play_type play_type() const;
  bool is_repeat_type() const;
  bool is_at_end() const;
  bool is_at_start() const;
  void run_go_next_selection();
  void run_go_previous_selection();
  // Play new's common part: playlist, pool, nexts and award. Returns the item
  // to play, or null when the row has nothing playable.
  ov_playlist_item* begin_play_new(ov_playlist* playlist, int row);
  ov_activity_awards& awards() { return awards_; }
  // Counts a listening second when the clock has moved on (recording the
  // play), and awards play through after each full period.
  void play_through_tick();
  // Listening seconds 0, last second now; the next second counted starts a new play.
  void reset_listening_count();
  void start_position_timer();
  void stop_position_timer();
  // Drops the reports still queued from a line's previous file or run, so a
  // stale "finished" does nothing.
  static void drop_stale_reports(ov_playline* line);

  ovg_controller_views views_;
  ov_favorite_engine* engine_;
  QList<ov_playline*> lines_;

private:
  void like_award(ov_favorite_engine::kind kind);
  // The play-new award of the item at the row, with its point signal.
  void award_play_new(ov_track* track, ov_playlist* playlist, int row);
  void record_play_second(const ov_track* track, qint64 now);

  QPointer<ov_playlist> playlist_;
  std::unique_ptr<ov_track_pool> pool_;
  ov_playlist_item* m_selected_item = nullptr;
  state_type state_ = idle;
  ov_playlist_item* chosen_next_ = nullptr;
  QTimer* position_timer_ = nullptr;  // child
  ov_activity_awards awards_;
  bool busy_ = false;
  qint64 last_second_ = 0;
  int listening_seconds_ = 0;
  std::function<qint64()> clock_;
  ov_listening_history* history_ = nullptr;
  qint64 play_started_ = 0;
  int play_seconds_ = 0;  // of the current item since it was selected
  std::vector<std::function<void()>> deferred_;
};
