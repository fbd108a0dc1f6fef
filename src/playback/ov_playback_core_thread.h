#pragma once

#include <QThread>

#include <semaphore>

class ov_pcm_sink;

// One-shot worker: resets the core's sink (which hands every queued block
// back through the completion notice) and then signals the reset-done event.
class ov_playback_core_thread : public QThread {
  Q_OBJECT
public:
  ov_playback_core_thread(ov_pcm_sink* sink, std::binary_semaphore* reset_done);

protected:
  void run() override;

private:
  ov_pcm_sink* sink_;
  std::binary_semaphore* reset_done_;
};
