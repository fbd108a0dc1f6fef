#include "ovg_widget.h"

#include <QResizeEvent>

void ovg_widget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  emit esignal_resized(event->size().width(), event->size().height());
}
