#pragma once

#include <functional>
#include <memory>

// Block-based PCM output: signed 16-bit little-endian interleaved samples.
// Blocks play in the order they were queued; each one comes back through the
// completion notice, on the sink's own thread, once it has been played (or
// dropped by reset/close). A sink never touches a block after handing it back.
class ov_pcm_sink {
public:
  struct block {
    char* data = nullptr;
    int bytes = 0;  // whole frames; 0 is allowed and comes back in turn
    int index = 0;  // free for the owner
  };
  using notice = std::function<void(block*)>;
  using factory = std::function<std::unique_ptr<ov_pcm_sink>()>;

  virtual ~ov_pcm_sink() = default;

  // Opens the device and starts the sink's thread; false when there is no device.
  virtual bool open(int rate, int channels, notice done) = 0;
  // Appends a block to the queue. Call only between open and close.
  virtual void queue(block* b) = 0;
  // Drops all queued audio at once; every queued block has come back through
  // the notice before this returns. Never call it from the notice itself.
  virtual void reset() = 0;
  // Resets, stops the sink's thread and closes the device. Idempotent.
  virtual void close() = 0;

  // A new sink of the installed kind: ALSA unless a test installed another.
  static std::unique_ptr<ov_pcm_sink> create();
  // Installs a factory (an empty one restores ALSA). Not thread-safe: call
  // it before any playback starts.
  static void install_factory(factory f);
};
