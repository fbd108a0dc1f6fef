#pragma once

#include "ov_playlist_flows.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QWidget;
class ovg_progress_dialog;

// Runs one long editing flow at a time behind the modal progress dialog. The
// flow gets a progress callback to call after every item: it keeps the
// window's events flowing, shows the count every 5 items and returns false
// once the user (or the closing window) cancelled.
class ovg_flow_runner : public QObject {
  Q_OBJECT

public:
  using flow = std::function<void(const ov_flow_progress&)>;

  explicit ovg_flow_runner(QWidget* window);
  ~ovg_flow_runner() override;

  // False, without running it, while another flow runs.
  bool run(const QString& title, qsizetype total, const flow& body);
  bool is_running() const { return dialog_ != nullptr; }
  // Makes the running flow stop after its current item.
  void cancel();

signals:
  void esignal_finished();

private:
  bool report(qsizetype done, qsizetype total);

  QWidget* window_;
  std::unique_ptr<ovg_progress_dialog> dialog_;
  bool cancelled_ = false;
};
