#include "ov_test_capture.h"

#include "ov_test_env.h"

#include <QElapsedTimer>
#include <QProcessEnvironment>
#include <QtGlobal>

#include <algorithm>
#include <cstdlib>

namespace {
QString server_script() {
  return ov_test::data_dir() + QStringLiteral("/../../scripts/pulse-test-server.sh");
}
}  // namespace

ov_test_capture::ov_test_capture() {
  qputenv("ORVANTIS_PCM_DEVICE", "default");
  if (!qEnvironmentVariableIsEmpty("PULSE_SERVER")) {
    ready_ = true;
    return;
  }
  own_server_ = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/ov-pulse-XXXXXX"));
  QProcess start;
  start.start(QStringLiteral("bash"), {server_script(), QStringLiteral("start"), own_server_->path()});
  if (!start.waitForFinished(20000) || start.exitCode() != 0) return;
  const QByteArray server = start.readAllStandardOutput().trimmed();
  if (server.isEmpty()) return;
  qputenv("PULSE_SERVER", server);
  ready_ = true;
}

std::unique_ptr<ov_test_capture> ov_test_capture::ready() {
  auto capture = std::make_unique<ov_test_capture>();
  return capture->server_ready() ? std::move(capture) : nullptr;
}

ov_test_capture::~ov_test_capture() {
  if (parec_.state() != QProcess::NotRunning) stop();
  if (own_server_) {
    QProcess::execute(QStringLiteral("bash"), {server_script(), QStringLiteral("stop"), own_server_->path()});
    qunsetenv("PULSE_SERVER");
  }
}

bool ov_test_capture::start() {
  data_.clear();
  parec_.start(QStringLiteral("parec"),
               {QStringLiteral("-d"), QStringLiteral("cap.monitor"), QStringLiteral("--format=s16le"),
                QStringLiteral("--rate=44100"), QStringLiteral("--channels=2"), QStringLiteral("--latency-msec=10")});
  if (!parec_.waitForStarted(5000)) return false;
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < 5000) {
    if (parec_.waitForReadyRead(100)) {
      parec_.readAllStandardOutput();  // the first bytes: the sink is running
      return true;
    }
  }
  return false;
}

qint64 ov_test_capture::captured() {
  parec_.waitForReadyRead(0);
  data_ += parec_.readAllStandardOutput();
  return data_.size();
}

QByteArray ov_test_capture::tail(int ms) {
  captured();
  const qsizetype bytes = qsizetype(rate) * 4 * ms / 1000;
  return data_.right(bytes);
}

QByteArray ov_test_capture::stop() {
  captured();
  parec_.terminate();
  parec_.waitForFinished(3000);
  data_ += parec_.readAllStandardOutput();
  return data_;
}

QVector<double> ov_test_capture::envelope(const QByteArray& pcm, int window_ms) {
  const auto* s = reinterpret_cast<const qint16*>(pcm.constData());
  const qsizetype samples = pcm.size() / 2;
  const qsizetype window = qsizetype(rate) * 2 * window_ms / 1000;
  QVector<double> env;
  for (qsizetype start = 0; start + window <= samples; start += window) {
    int peak = 0;
    for (qsizetype i = start; i < start + window; ++i) peak = std::max(peak, std::abs(int(s[i])));
    env << peak / 32768.0;
  }
  return env;
}

int ov_test_capture::loud_ms(const QVector<double>& env, double threshold, int window_ms) {
  return int(std::count_if(env.begin(), env.end(), [=](double v) { return v > threshold; })) * window_ms;
}
