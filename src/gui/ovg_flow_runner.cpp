#include "ovg_flow_runner.h"

#include "ovg_progress_dialog.h"

#include <QCoreApplication>
#include <QWidget>

ovg_flow_runner::ovg_flow_runner(QWidget* window) : QObject(window), window_(window) {}

ovg_flow_runner::~ovg_flow_runner() = default;

bool ovg_flow_runner::run(const QString& title, qsizetype total, const flow& body) {
  if (dialog_) return false;
  cancelled_ = false;
  const int maximum = static_cast<int>(qMin<qsizetype>(total, INT_MAX));
  dialog_ = std::make_unique<ovg_progress_dialog>(title, tr("Cancel"), 0, maximum, window_);
  dialog_->set_value(0);
  dialog_->set_text(QStringLiteral("..."));
  dialog_->show();
  QCoreApplication::processEvents();
  body([this, total](qsizetype done) { return report(done, total); });
  dialog_.reset();
  emit esignal_finished();
  return true;
}

void ovg_flow_runner::cancel() {
  cancelled_ = true;
}

bool ovg_flow_runner::report(qsizetype done, qsizetype total) {
  if (done > 0 && done % 5 == 0) {
    dialog_->set_value(static_cast<int>(qMin<qsizetype>(done, INT_MAX)));
    dialog_->set_text(QStringLiteral("%1 / %2").arg(done).arg(total));
  }
  QCoreApplication::processEvents();
  return !cancelled_ && !dialog_->is_cancelled();
}
