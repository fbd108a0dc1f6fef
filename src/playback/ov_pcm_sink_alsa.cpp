#include "ov_pcm_sink_alsa.h"

#include "ov_log.h"

#include <alsa/asoundlib.h>
#include <poll.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <QtGlobal>

#include <algorithm>
#include <vector>

namespace {
// Device buffer length: short, so that a volume change is heard soon, and
// less than the playback core keeps queued (twelve 25 ms blocks), so that
// the device fills and the sink can sleep until a period has room.
constexpr unsigned int buffer_latency_us = 200000;
// The device wakes the sink when a period of its buffer has room: the fewer
// periods, the fewer wake-ups; three are the fewest PulseAudio's plugin takes.
constexpr unsigned int periods = 3;
// How long a full device without poll descriptors is left before the next try.
constexpr int no_descriptor_wait_ms = 10;
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
  if (const int e = configure(rate, channels); e < 0) {
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
  rate_ = rate;
  done_ = std::move(done);
  quit_ = false;
  reset_requested_ = false;
  thread_ = std::thread([this] { run(); });
  return true;
}

// Interleaved S16 at the stream's rate (resampled by ALSA where the device
// cannot), a short buffer in a few periods; the device starts once its buffer
// is full and wakes the sink when a period has room.
int ov_pcm_sink_alsa::configure(int rate, int channels) {
  snd_pcm_hw_params_t* hw = nullptr;
  snd_pcm_hw_params_alloca(&hw);
  int e = snd_pcm_hw_params_any(pcm_, hw);
  if (e >= 0) e = snd_pcm_hw_params_set_rate_resample(pcm_, hw, 1);
  if (e >= 0) e = snd_pcm_hw_params_set_access(pcm_, hw, SND_PCM_ACCESS_RW_INTERLEAVED);
  if (e >= 0) e = snd_pcm_hw_params_set_format(pcm_, hw, SND_PCM_FORMAT_S16_LE);
  if (e >= 0) e = snd_pcm_hw_params_set_channels(pcm_, hw, unsigned(channels));
  if (e >= 0) e = snd_pcm_hw_params_set_rate(pcm_, hw, unsigned(rate), 0);
  unsigned int buffer_us = buffer_latency_us;
  unsigned int period_us = buffer_latency_us / periods;
  if (e >= 0) e = snd_pcm_hw_params_set_buffer_time_near(pcm_, hw, &buffer_us, nullptr);
  if (e >= 0) e = snd_pcm_hw_params_set_period_time_near(pcm_, hw, &period_us, nullptr);
  if (e >= 0) e = snd_pcm_hw_params(pcm_, hw);
  if (e < 0) return e;
  snd_pcm_uframes_t buffer_frames = 0, period_frames = 0;
  snd_pcm_get_params(pcm_, &buffer_frames, &period_frames);
  snd_pcm_sw_params_t* sw = nullptr;
  snd_pcm_sw_params_alloca(&sw);
  e = snd_pcm_sw_params_current(pcm_, sw);
  if (e >= 0) e = snd_pcm_sw_params_set_start_threshold(pcm_, sw, buffer_frames);
  if (e >= 0) e = snd_pcm_sw_params_set_avail_min(pcm_, sw, period_frames);
  if (e >= 0) e = snd_pcm_sw_params(pcm_, sw);
  return e;
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
  pthread_setname_np(pthread_self(), "ov_pcm_sink");
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
    }
    write_queued();
    wait_for_work(deliver_played(false));
  }
}

// Stops the device at once and hands back every block: the played-out ones
// first, then the one being written, then the queue, in order. The device is
// prepared again only when the next block comes, so a stream that stays
// stopped or paused stays stopped (corked, on a sound server) meanwhile.
void ov_pcm_sink_alsa::drop_all() {
  snd_pcm_drop(pcm_);
  stopped_ = true;
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

// Writes the queued blocks until the device is full or the queue is empty,
// so that a wake-up asks the device's delay once however many blocks it takes.
void ov_pcm_sink_alsa::write_queued() {
  for (;;) {
    if (!current_) {
      std::lock_guard<std::mutex> l(mutex_);
      if (queue_.empty() || quit_ || reset_requested_) return;
      current_ = queue_.front();
      queue_.pop_front();
      current_offset_ = 0;
    }
    if (stopped_) {
      snd_pcm_prepare(pcm_);
      stopped_ = false;
    }
    write_current();
    if (current_) return;  // the device is full
  }
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

// Hands back the blocks whose last frame the device has played; the frames
// the device still has to play before the oldest block left is done, or -1
// when none is left. The device's delay tells how far it has got.
long long ov_pcm_sink_alsa::deliver_played(bool all) {
  if (written_.empty()) return -1;
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
  return written_.empty() ? -1 : written_.front().end - played;
}

// Sleeps until there is something to do: a block to take from the queue, a
// request (reset, close), room in a full device, or, with everything
// written, the time the device needs to play the oldest block out.
void ov_pcm_sink_alsa::wait_for_work(long long frames_to_play) {
  {
    std::lock_guard<std::mutex> l(mutex_);
    if (quit_ || reset_requested_ || (!current_ && !queue_.empty())) return;
  }
  std::vector<pollfd> fds(1);
  fds[0] = {wake_fd_, POLLIN, 0};
  int timeout = -1;
  int pcm_fds = 0;
  if (current_) {
    pcm_fds = std::max(0, snd_pcm_poll_descriptors_count(pcm_));
    fds.resize(size_t(1 + pcm_fds));
    if (pcm_fds > 0) pcm_fds = std::max(0, snd_pcm_poll_descriptors(pcm_, fds.data() + 1, unsigned(pcm_fds)));
    if (pcm_fds == 0) timeout = no_descriptor_wait_ms;  // a device that offers nothing to wait on
  } else if (frames_to_play >= 0) {
    timeout = int(frames_to_play * 1000 / rate_) + 1;
  }
  if (::poll(fds.data(), nfds_t(1 + pcm_fds), timeout) <= 0) return;
  if (pcm_fds > 0) {
    unsigned short revents = 0;
    snd_pcm_poll_descriptors_revents(pcm_, fds.data() + 1, unsigned(pcm_fds), &revents);
  }
  if (fds[0].revents & POLLIN) {
    uint64_t count = 0;
    (void)!::read(wake_fd_, &count, sizeof count);
  }
}
