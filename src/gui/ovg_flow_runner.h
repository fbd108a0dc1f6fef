#pragma once

#include "ov_playlist_flows.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QWidget;
class ovg_progress_dialog;

// Runs one long editing flow at a time behind the modal progress dialog. The
// flow gets a progress callback to call after every item: it returns false
// once the user (or the closing window) cancelled. The callback keeps the
// window's events flowing and shows the count, both by time rather than per
// item, since a turn of the event loop or a repaint of the dialog can cost
// more than an item: events every few milliseconds, the count at most every
// ~100 ms and after the last item.
class ovg_flow_runner : public QObject {
  Q_OBJECT

public:
  using flow = std::function<void(const ov_flow_progress&)>;

  explicit ovg_flow_runner(QWidget* window);
  ~ovg_flow_runner() override;

  // False, without running it, while another flow runs. A total below 0
  // is not known yet: the body tells it with set_total once it is.
  bool run(const QString& title, qsizetype total, const flow& body);
  void set_total(qsizetype total);
  // For a body that waits before its items: lets the window's events
  // through when it is time; false once cancelled.
  bool keep_alive();
  // How often the callback lets events through and shows the count.
  static constexpr qint64 events_interval_ms = 16;
  static constexpr qint64 count_interval_ms = 100;
  bool is_running() const { return dialog_ != nullptr; }
  // Makes the running flow stop after its current item.
  void cancel();

signals:
  void esignal_finished();

private:
  bool report(qsizetype done);
  bool cancelled() const;

  QWidget* window_;
  std::unique_ptr<ovg_progress_dialog> dialog_;
  bool cancelled_ = false;
  qsizetype total_ = 0;
  QElapsedTimer since_events_;
  QElapsedTimer since_count_;
};
