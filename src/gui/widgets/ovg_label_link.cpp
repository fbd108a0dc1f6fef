#include "ovg_label_link.h"

#include <QMouseEvent>

ovg_label_link::ovg_label_link(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setCursor(Qt::PointingHandCursor);
  setStyleSheet(QStringLiteral("QLabel { color: #0066cc; }"));
  QFont f = font();
  f.setUnderline(true);
  setFont(f);
}

void ovg_label_link::mouseReleaseEvent(QMouseEvent* event) {
  if (!text().isEmpty()) emit esignal_clicked();
  QLabel::mouseReleaseEvent(event);
}
