#include "ov_playback_core_thread.h"

#include "ov_pcm_sink.h"

ov_playback_core_thread::ov_playback_core_thread(ov_pcm_sink* sink, std::binary_semaphore* reset_done)
    : sink_(sink), reset_done_(reset_done) {}

void ov_playback_core_thread::run() {
  sink_->reset();
  reset_done_->release();
}
