#pragma once

// Showing a window offscreen and waiting until one of its widgets painted.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace ov_bench {

// Notes the first paint event of the widgets it filters.
class paint_watch : public QObject {
public:
  bool painted = false;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted = true;
    return QObject::eventFilter(watched, event);
  }
};

// Shows window and processes events until watched has painted and a
// zero-timer queued after show() has fired, then once more; false when that
// took longer than limit_ms.
inline bool show_until_painted(QWidget* window, QWidget* watched, int limit_ms = 30000) {
  paint_watch watch;
  if (watched) watched->installEventFilter(&watch);
  window->show();
  bool timer_fired = false;
  QTimer::singleShot(0, window, [&timer_fired] { timer_fired = true; });
  QElapsedTimer limit;
  limit.start();
  while (!(watch.painted && timer_fired) && limit.elapsed() < limit_ms)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  QCoreApplication::processEvents();
  if (watched) watched->removeEventFilter(&watch);
  return watch.painted;
}

}  // namespace ov_bench
