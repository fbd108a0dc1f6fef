#pragma once

#include "ov_pcm_sink.h"
#include "ove_playback.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <mutex>
#include <semaphore>
#include <shared_mutex>
#include <vector>

class ov_decoder;
class ov_playback_core_thread;

// Plays one music file: its decoder fills a ring of twelve blocks that the
// PCM sink plays; every block the sink hands back is refilled and queued
// again on the sink's thread. Volume is applied by scaling the samples.
// Positions count the stream's own samples, shown in milliseconds.
class ov_playback_core : public QObject {
  Q_OBJECT
public:
  static constexpr int block_count = 12;
  // A block holds this many milliseconds of sound (whole sample frames).
  static constexpr int block_ms = 25;

  ov_playback_core(const QString& file_path, int global_volume);
  ~ov_playback_core() override;

  bool is_valid() const { return valid_; }
  void play();
  void pause();
  void stop();
  void seek(int msec);
  int position();
  void set_volume(int v);
  int volume() const { return volume_.load(); }
  void set_global_volume(int v);
  int global_volume() const { return global_volume_.load(); }
  ove_playback::status state() const { return state_.load(); }

signals:
  void signal_finished();
  void signal_position_changed(int msec);
  void signal_state_changed(ove_playback::status old_state, ove_playback::status new_state);

private:
  struct fill_result {
    int bytes = 0;
    bool ended = false;  // end of stream or a decoder error: nothing more will come
  };

  void on_block_done(ov_pcm_sink::block* b);
  fill_result fill(ov_pcm_sink::block* b);
  void scale(ov_pcm_sink::block* b) const;
  void submit(ov_pcm_sink::block* b);
  void reset_output();
  void log_refusal(const QString& reason) const;

  bool valid_ = false;
  std::atomic<int> volume_{100};
  std::atomic<int> global_volume_{100};
  QString file_path_;
  std::atomic<ove_playback::status> state_{ove_playback::ready};
  std::unique_ptr<ov_decoder> decoder_;
  std::vector<char> pcm_;  // the twelve blocks' samples, one after another
  int block_size_ = 0;
  int rate_ = 0;
  int decode_failures_ = 0;  // fills that ended on a decoder error (under decoder_mutex_)
  QString decode_failure_;   // the first error's text
  int drained_ = 0;
  std::unique_ptr<ov_pcm_sink> sink_;
  ov_pcm_sink::block blocks_[block_count];
  std::atomic<int> in_flight_{0};
  // State changes, drained count, block rotation. (The C++ library locks are
  // used so that ThreadSanitizer can follow them.)
  std::shared_mutex lock_;
  std::mutex decoder_mutex_;  // every call on the decoder handle
  std::unique_ptr<ov_playback_core_thread> reset_worker_;
  std::binary_semaphore reset_done_{0};
};
