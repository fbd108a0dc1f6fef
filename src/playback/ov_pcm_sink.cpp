#include "ov_pcm_sink.h"

#include "ov_pcm_sink_alsa.h"

namespace {
ov_pcm_sink::factory& installed() {
  static ov_pcm_sink::factory f;
  return f;
}
}  // namespace

std::unique_ptr<ov_pcm_sink> ov_pcm_sink::create() {
  if (installed()) return installed()();
  return std::make_unique<ov_pcm_sink_alsa>();
}

void ov_pcm_sink::install_factory(factory f) {
  installed() = std::move(f);
}
