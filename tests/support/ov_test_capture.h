#pragma once

#include <QByteArray>
#include <QProcess>
#include <QTemporaryDir>
#include <QVector>

#include <memory>

// Real output for real-time tests: makes sure a PulseAudio server with the
// null sink "cap" is there (the one named by $PULSE_SERVER, or a private one
// started through scripts/pulse-test-server.sh) and records its monitor with
// parec as 44.1 kHz stereo 16-bit PCM.
class ov_test_capture {
public:
  static constexpr int rate = 44100;

  ov_test_capture();
  ~ov_test_capture();
  // The capture of a real-time test's initTestCase; null (the test skips)
  // when no server could be had.
  static std::unique_ptr<ov_test_capture> ready();

  bool server_ready() const { return ready_; }
  // Starts parec and waits until audio arrives.
  bool start();
  // Bytes captured so far (reads what parec has delivered).
  qint64 captured();
  // The last ms of what was captured so far.
  QByteArray tail(int ms);
  // Stops parec; returns the whole capture.
  QByteArray stop();

  // Peak of each window of window_ms, as a fraction of full scale.
  static QVector<double> envelope(const QByteArray& pcm, int window_ms = 10);
  // Total time in ms of windows louder than the threshold.
  static int loud_ms(const QVector<double>& env, double threshold, int window_ms = 10);

private:
  std::unique_ptr<QTemporaryDir> own_server_;
  QProcess parec_;
  QByteArray data_;
  bool ready_ = false;
};
