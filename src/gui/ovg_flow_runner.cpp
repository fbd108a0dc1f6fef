#include "ovg_flow_runner.h"

#include "ovg_progress_dialog.h"

#include <QCoreApplication>
#include <QWidget>

#include <algorithm>

ovg_flow_runner::ovg_flow_runner(QWidget* window) : QObject(window), window_(window) {}

ovg_flow_runner::~ovg_flow_runner() = default;

bool ovg_flow_runner::run(const QString& title, qsizetype total, const flow& body) {
  if (dialog_) return false;
  cancelled_ = false;
  dialog_ = std::make_unique<ovg_progress_dialog>(title, tr("Cancel"), 0, 1, window_);
  set_total(total);
  dialog_->set_value(0);
  dialog_->set_text(QStringLiteral("..."));
  dialog_->show();
  QCoreApplication::processEvents();
  since_events_.start();
  since_count_.start();
  body([this](qsizetype done) { return report(done); });
  dialog_.reset();
  emit esignal_finished();
  return true;
}

void ovg_flow_runner::set_total(qsizetype total) {
  total_ = total;
  if (dialog_) dialog_->set_maximum(static_cast<int>(std::clamp<qsizetype>(total, 1, INT_MAX)));
}

void ovg_flow_runner::cancel() {
  cancelled_ = true;
}

bool ovg_flow_runner::cancelled() const {
  return cancelled_ || (dialog_ && dialog_->is_cancelled());
}

bool ovg_flow_runner::keep_alive() {
  if (since_events_.hasExpired(events_interval_ms)) {
    QCoreApplication::processEvents();
    since_events_.start();
  }
  return !cancelled();
}

bool ovg_flow_runner::report(qsizetype done) {
  const bool last = done >= total_;
  if (last || since_count_.hasExpired(count_interval_ms)) {
    dialog_->set_value(static_cast<int>(qMin<qsizetype>(done, INT_MAX)));
    dialog_->set_text(QStringLiteral("%1 / %2").arg(done).arg(total_));
    since_count_.start();
  }
  if (last) {
    QCoreApplication::processEvents();
    since_events_.start();
    return !cancelled();
  }
  return keep_alive();
}
