#include "ovgv_track_info_link_label.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

namespace {
constexpr int min_shown_characters = 6;
}  // namespace

ovgv_track_info_link_label::ovgv_track_info_link_label(QWidget* parent) : QLabel(parent) {
  setCursor(Qt::PointingHandCursor);
  setTextFormat(Qt::PlainText);
  setWordWrap(false);
}

QSize ovgv_track_info_link_label::minimumSizeHint() const {
  const QSize whole = QLabel::minimumSizeHint();
  const QMargins m = contentsMargins();
  const int few = fontMetrics().averageCharWidth() * min_shown_characters + m.left() + m.right();
  return {qMin(whole.width(), few), whole.height()};
}

void ovgv_track_info_link_label::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect area = contentsRect();
  const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
  style()->drawItemText(&painter, area, int(alignment()), palette(), isEnabled(), shown, foregroundRole());
}

// Hovering only underlines: whatever else the owner set on the font (the
// title's bold) stays.
void ovgv_track_info_link_label::set_underlined(bool underlined) {
  QFont f = font();
  f.setUnderline(underlined);
  setFont(f);
}

void ovgv_track_info_link_label::mouseReleaseEvent(QMouseEvent* event) {
  if (!text().isEmpty()) emit esignal_clicked();
  QLabel::mouseReleaseEvent(event);
}

void ovgv_track_info_link_label::enterEvent(QEnterEvent* event) {
  set_underlined(true);
  QLabel::enterEvent(event);
}

void ovgv_track_info_link_label::leaveEvent(QEvent* event) {
  set_underlined(false);
  QLabel::leaveEvent(event);
}
