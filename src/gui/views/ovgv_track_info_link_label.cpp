#include "ovgv_track_info_link_label.h"

#include <QMouseEvent>

ovgv_track_info_link_label::ovgv_track_info_link_label(QWidget* parent) : QLabel(parent) {
  setCursor(Qt::PointingHandCursor);
  normal_font_ = font();
  hover_font_ = font();
  hover_font_.setUnderline(true);
  setFont(normal_font_);
}

void ovgv_track_info_link_label::mouseReleaseEvent(QMouseEvent* event) {
  if (!text().isEmpty()) emit esignal_clicked();
  QLabel::mouseReleaseEvent(event);
}

void ovgv_track_info_link_label::enterEvent(QEnterEvent* event) {
  setFont(hover_font_);
  QLabel::enterEvent(event);
}

void ovgv_track_info_link_label::leaveEvent(QEvent* event) {
  setFont(normal_font_);
  QLabel::leaveEvent(event);
}
