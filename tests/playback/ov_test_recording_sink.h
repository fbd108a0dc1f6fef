#pragma once

#include "ov_pcm_sink_alsa.h"

#include <QByteArray>
#include <QMutex>

// A sink for tests: plays through an ALSA device (normally "null") and keeps
// a copy of every byte queued, in queue order, across all sinks it made.
class ov_test_recording_sink : public ov_pcm_sink {
public:
  explicit ov_test_recording_sink(const QByteArray& device) : alsa_(device) {}

  bool open(int rate, int channels, notice done) override { return alsa_.open(rate, channels, std::move(done)); }
  void queue(block* b) override {
    {
      QMutexLocker l(&mutex());
      recorded().append(b->data, b->bytes);
      ++queued_count();
    }
    alsa_.queue(b);
  }
  void reset() override { alsa_.reset(); }
  void close() override { alsa_.close(); }

  // Installs a factory of recording sinks on the given device and clears the record.
  static void install(const QByteArray& device = "null") {
    take();
    ov_pcm_sink::install_factory([device] { return std::make_unique<ov_test_recording_sink>(device); });
  }
  static QByteArray take() {
    QMutexLocker l(&mutex());
    QByteArray r = recorded();
    recorded().clear();
    queued_count() = 0;
    return r;
  }
  static int queued() {
    QMutexLocker l(&mutex());
    return queued_count();
  }

private:
  static QMutex& mutex() {
    static QMutex m;
    return m;
  }
  static QByteArray& recorded() {
    static QByteArray r;
    return r;
  }
  static int& queued_count() {
    static int n = 0;
    return n;
  }

  ov_pcm_sink_alsa alsa_;
};
