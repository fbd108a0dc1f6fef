#pragma once

#include <QThread>

#include <atomic>
#include <condition_variable>
#include <mutex>

class ov_playback_normal;

// Runs one phase of a play line on its own thread: raises or lowers the line
// volume in 50 ms ticks, or only waits, then reports the phase with the id it
// was started with. Level and step stay in the fader, so a cancelled phase
// started again continues from where it stopped.
class ov_playline_fader : public QThread {
  Q_OBJECT
public:
  enum mode_type : int { fade_in = 1, flatline = 2, fade_out = 3 };
  static constexpr int tick_ms = 50;

  ov_playline_fader() = default;
  ~ov_playline_fader() override;

  void set_id(int id) { id_ = id; }
  int id() const { return id_; }
  void setup(ov_playback_normal* playback, int mode, int length);
  // Starts a run; a run still going is cancelled first.
  void start_run();
  // Stops a run at once; a cancelled run reports nothing.
  void cancel();

  int mode() const { return mode_; }
  int length() const { return length_; }
  int step() const { return step_; }
  int level() const { return level_; }

signals:
  void signal_fade_finished(int current_id);

protected:
  void run() override;

private:
  // Sleeps until the given tick; false when the run was cancelled.
  bool wait_tick(std::chrono::steady_clock::time_point until);
  void run_fade_in();
  void run_fade_out();
  void run_flatline();

  ov_playback_normal* playback_ = nullptr;
  int mode_ = 0;
  std::atomic<int> length_{0};
  int step_ = 0;
  int level_ = 0;
  std::atomic<int> id_{0};

  std::mutex mutex_;
  std::condition_variable wake_;
  bool cancelled_ = false;
};
