#pragma once

#include "ov_pcm_sink.h"

#include <QByteArray>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

typedef struct _snd_pcm snd_pcm_t;

// ALSA backend of the PCM sink. The device is "default" unless
// $ORVANTIS_PCM_DEVICE names another (e.g. "null" for tests). The sink
// thread alone touches the PCM handle: it writes blocks without blocking,
// hands a block back once the device's delay shows its last frame played, and
// recovers from underruns. Between writes it sleeps on the PCM's descriptors
// and an eventfd for requests, with no timer while the device is full. The
// device buffer is kept short so that volume changes are heard on time.
class ov_pcm_sink_alsa : public ov_pcm_sink {
public:
  ov_pcm_sink_alsa();
  explicit ov_pcm_sink_alsa(const QByteArray& device);
  ~ov_pcm_sink_alsa() override;

  bool open(int rate, int channels, notice done) override;
  void queue(block* b) override;
  void reset() override;
  void close() override;

  static QByteArray default_device();

private:
  struct written {
    block* b;
    long long end;  // frames written up to the end of this block
  };

  int configure(int rate, int channels);
  void run();
  void wake();
  void drop_all();
  long long deliver_played(bool all);
  void write_queued();
  void write_current();
  void wait_for_work(long long frames_to_play);

  QByteArray device_;
  snd_pcm_t* pcm_ = nullptr;
  int frame_bytes_ = 4;
  int rate_ = 44100;
  int wake_fd_ = -1;
  notice done_;
  std::thread thread_;

  std::mutex mutex_;  // guards queue_, quit_, reset_requested_
  std::condition_variable reset_done_;
  std::deque<block*> queue_;
  bool quit_ = false;
  bool reset_requested_ = false;

  // Sink thread only.
  block* current_ = nullptr;
  int current_offset_ = 0;  // frames of current_ written
  std::deque<written> written_;
  long long frames_written_ = 0;
  bool stopped_ = false;  // dropped and not prepared again yet
};
