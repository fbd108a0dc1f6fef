#include "ov_pcm_sink_alsa.h"

#include "ov_log.h"

#include <alsa/asoundlib.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <QtGlobal>

#include <vector>

namespace {
// Device buffer length: short, so that a volume change is heard soon.
constexpr unsigned int buffer_latency_us = 150000;
// How often the sink looks at the device's position while blocks are playing.
constexpr int position_poll_ms = 10;
// The sink whose thread is the calling one: a block queued from its own
// completion notice needs no wake-up.
thread_local const ov_pcm_sink_alsa* own_sink = nullptr;

// ALSA failures carry ALSA's own text into the log.
void log_alsa_error(const QString& what, int error) {
  ov_log_write_flush(ov_log::WARNING, QStringLiteral("playback"),
                     what + QStringLiteral(": ") + QString::fromLocal8Bit(snd_strerror(error)));
}

}  // namespace

ov_pcm_sink_alsa::ov_pcm_sink_alsa() : device_(default_device()) {}
ov_pcm_sink_alsa::ov_pcm_sink_alsa(const QByteArray& device) : device_(device) {}

ov_pcm_sink_alsa::~ov_pcm_sink_alsa() {
  close();
}

QByteArray ov_pcm_sink_alsa::default_device() {
  const QByteArray env = qgetenv("ORVANTIS_PCM_DEVICE");
  return env.isEmpty() ? QByteArray("default") : env;
}

bool ov_pcm_sink_alsa::open(int rate, int channels, notice done) {
  if (pcm_ || rate <= 0 || channels <= 0) return false;
  if (const int e = snd_pcm_open(&pcm_, device_.constData(), SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK); e < 0) {
    pcm_ = nullptr;
    log_alsa_error(QStringLiteral("cannot open the PCM device"), e);
    return false;
  }
  if (const int e = snd_pcm_set_params(pcm_, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED, unsigned(channels),
                                       unsigned(rate), 1, buffer_latency_us);
      e < 0) {
    log_alsa_error(QStringLiteral("cannot set the PCM parameters"), e);
    snd_pcm_close(pcm_);
    pcm_ = nullptr;
    return false;
  }
  wake_fd_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  if (wake_fd_ < 0) {
    snd_pcm_close(pcm_);
    pcm_ = nullptr;
    return false;
  }
  frame_bytes_ = 2 * channels;
  done_ = std::move(done);
  quit_ = false;
  reset_requested_ = false;
  thread_ = std::thread([this] { run(); });
  return true;
}

void ov_pcm_sink_alsa::queue(block* b) {
  {
    std::lock_guard<std::mutex> l(mutex_);
    queue_.push_back(b);
  }
  if (own_sink != this) wake();
}

void ov_pcm_sink_alsa::reset() {
  if (!thread_.joinable()) return;
  std::unique_lock<std::mutex> l(mutex_);
  reset_requested_ = true;
  wake();
  reset_done_.wait(l, [this] { return !reset_requested_; });
}

void ov_pcm_sink_alsa::close() {
  if (thread_.joinable()) {
    {
      std::lock_guard<std::mutex> l(mutex_);
      quit_ = true;
    }
    wake();
    thread_.join();
  }
  if (pcm_) {
    snd_pcm_close(pcm_);
    pcm_ = nullptr;
  }
  if (wake_fd_ >= 0) {
    ::close(wake_fd_);
    wake_fd_ = -1;
  }
}

void ov_pcm_sink_alsa::wake() {
  const uint64_t one = 1;
  if (wake_fd_ >= 0) (void)!::write(wake_fd_, &one, sizeof one);
}

void ov_pcm_sink_alsa::run() {
  own_sink = this;
  for (;;) {
    {
      std::unique_lock<std::mutex> l(mutex_);
      if (quit_ || reset_requested_) {
        const bool quitting = quit_;
        l.unlock();
        drop_all();
        l.lock();
        if (!queue_.empty()) continue;  // queued while dropping: drop those too
        reset_requested_ = false;
        reset_done_.notify_all();
        if (quitting) return;
        continue;
      }
      if (!current_ && !queue_.empty()) {
        current_ = queue_.front();
        queue_.pop_front();
        current_offset_ = 0;
      }
    }
    if (current_) write_current();
    deliver_played(false);
    wait_for_work();
  }
}

// Stops the device at once and hands back every block: the played-out ones
// first, then the one being written, then the queue, in order.
void ov_pcm_sink_alsa::drop_all() {
  snd_pcm_drop(pcm_);
  snd_pcm_prepare(pcm_);
  std::vector<block*> back;
  for (const written& w : written_) back.push_back(w.b);
  written_.clear();
  if (current_) back.push_back(current_);
  current_ = nullptr;
  {
    std::lock_guard<std::mutex> l(mutex_);
    back.insert(back.end(), queue_.begin(), queue_.end());
    queue_.clear();
  }
  frames_written_ = 0;
  for (block* b : back) done_(b);
}

void ov_pcm_sink_alsa::write_current() {
  const int frames = current_->bytes / frame_bytes_;
  while (current_offset_ < frames) {
    const snd_pcm_sframes_t r = snd_pcm_writei(pcm_, current_->data + qsizetype(current_offset_) * frame_bytes_,
                                               snd_pcm_uframes_t(frames - current_offset_));
    if (r == -EAGAIN) return;  // device full: wait until it has room
    if (r < 0) {
      if (const int e = snd_pcm_recover(pcm_, int(r), 1); e < 0) {  // device gone: give the block up
        log_alsa_error(QStringLiteral("cannot write to the PCM device"), int(r));
        break;
      }
      deliver_played(true);  // an underrun played everything out
      continue;
    }
    current_offset_ += int(r);
    frames_written_ += r;
  }
  written_.push_back({current_, frames_written_});
  current_ = nullptr;
}

// Hands back the blocks whose last frame the device has played.
void ov_pcm_sink_alsa::deliver_played(bool all) {
  if (written_.empty()) return;
  long long played = frames_written_;
  if (!all) {
    const snd_pcm_state_t st = snd_pcm_state(pcm_);
    if (st == SND_PCM_STATE_PREPARED && !current_) {
      std::lock_guard<std::mutex> l(mutex_);
      if (queue_.empty()) snd_pcm_start(pcm_);  // nothing more to come: play the short rest
    }
    snd_pcm_sframes_t delay = 0;
    const int e = snd_pcm_delay(pcm_, &delay);
    if (e < 0 || st == SND_PCM_STATE_XRUN) {
      snd_pcm_recover(pcm_, e < 0 ? e : -EPIPE, 1);  // underrun: the buffer ran empty
    } else if (delay > 0) {
      played -= delay;
    }
  }
  while (!written_.empty() && written_.front().end <= played) {
    block* b = written_.front().b;
    written_.pop_front();
    done_(b);
  }
}

void ov_pcm_sink_alsa::wait_for_work() {
  {
    std::lock_guard<std::mutex> l(mutex_);
    if (quit_ || reset_requested_ || (!current_ && !queue_.empty())) return;
  }
  std::vector<pollfd> fds(1);
  fds[0] = {wake_fd_, POLLIN, 0};
  if (current_) {
    const int n = snd_pcm_poll_descriptors_count(pcm_);
    if (n > 0) {
      fds.resize(size_t(1 + n));
      snd_pcm_poll_descriptors(pcm_, fds.data() + 1, unsigned(n));
    }
  }
  const int timeout = (current_ || !written_.empty()) ? position_poll_ms : -1;
  if (::poll(fds.data(), nfds_t(fds.size()), timeout) > 0 && (fds[0].revents & POLLIN)) {
    uint64_t count = 0;
    (void)!::read(wake_fd_, &count, sizeof count);
  }
}
