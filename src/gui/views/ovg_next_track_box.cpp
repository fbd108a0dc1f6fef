#include "ovg_next_track_box.h"

#include "ov_log.h"
#include "ov_playlist_item.h"
#include "ov_track.h"
#include "ovg_attached_picture.h"
#include "ovg_attached_picture_mask.h"
#include "ovgv_cover.h"

#include <QApplication>
#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QStyleHints>
#include <QVBoxLayout>

namespace {
const QString log_tag = QStringLiteral("next_track_box");
void log_debug(const QString& text) {
  ov_log_write(ov_log::DEBUG, log_tag, text);
}

QHBoxLayout* centred_row(QWidget* widget) {
  auto* row = new QHBoxLayout;
  row->setContentsMargins(0, 0, 0, 0);
  row->addStretch(1);
  row->addWidget(widget);
  row->addStretch(1);
  return row;
}
}  // namespace

ovg_next_track_box::ovg_next_track_box(QWidget* parent) : QFrame(parent) {
  picture_ = new ovg_attached_picture(picture_side, this);
  mask_ = new ovg_attached_picture_mask(picture_side, picture_);
  title_ = new QLabel(this);
  title_->setFixedWidth(title_width);
  QFont f = title_->font();
  f.setPointSize(8);
  title_->setFont(f);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addLayout(centred_row(picture_));
  column->addSpacing(2);
  column->addLayout(centred_row(title_));
  set_entry(nullptr);
}

void ovg_next_track_box::dim(bool dimmed) {
  mask_->set_alpha(dimmed ? ovg_attached_picture_mask::dimmed : ovg_attached_picture_mask::clear);
}

void ovg_next_track_box::set_entry(ov_playlist_item* entry) {
  entry_ = entry;
  picked_ = false;
  const ov_track* track = entry ? entry->track() : nullptr;
  const QString title = track ? track->display_title() : QString();
  title_->setText(title);
  setToolTip(title);
  picture_->set_image(ovgv_cover::of(track));
  dim(true);
}

void ovg_next_track_box::set_selectable(bool selectable) {
  selectable_ = selectable;
}

void ovg_next_track_box::set_active(bool active) {
  active_ = active;
  if (!active) dim(true);
}

void ovg_next_track_box::refresh_hover() {
  if (selectable_ && active_ && underMouse()) dim(false);
}

void ovg_next_track_box::enterEvent(QEnterEvent* event) {
  QFrame::enterEvent(event);
  if (!active_ || !selectable_) return;
  setCursor(Qt::PointingHandCursor);
  dim(false);
  log_debug(QStringLiteral("enter"));
}

void ovg_next_track_box::leaveEvent(QEvent* event) {
  QFrame::leaveEvent(event);
  if (!active_ || !selectable_) return;
  setCursor(Qt::ArrowCursor);
  dim(true);
  log_debug(QStringLiteral("leave"));
}

void ovg_next_track_box::mousePressEvent(QMouseEvent* event) {
  if (!active_ || !selectable_) return;
  press_time_ms_ = QDateTime::currentMSecsSinceEpoch();
  double_click_handled_ = false;
  log_debug(QStringLiteral("pressed"));
  event->accept();
}

void ovg_next_track_box::mouseReleaseEvent(QMouseEvent* event) {
  if (!active_ || !selectable_ || double_click_handled_) return;
  if (!rect().contains(event->position().toPoint())) {
    // Released outside: no pick, and the press no longer starts a double click.
    press_time_ms_ = 0;
    return;
  }
  log_debug(QStringLiteral("released"));
  if (!entry_) return;
  picked_ = true;
  emit esignal_mouse_released(this, entry_);
}

void ovg_next_track_box::mouseDoubleClickEvent(QMouseEvent*) {
  if (!active_ || selectable_ || !entry_) return;
  handle_double_click();
}

void ovg_next_track_box::handle_double_click() {
  const qint64 diff = QDateTime::currentMSecsSinceEpoch() - press_time_ms_;
  if (diff > 0 && diff <= QGuiApplication::styleHints()->mouseDoubleClickInterval()) {
    log_debug(QStringLiteral("double clicked hit. diff = ") + QString::number(diff));
  } else if (picked_) {
    log_debug(QStringLiteral("double clicked after selected."));
  } else {
    return;
  }
  double_click_handled_ = true;
  emit esignal_double_clicked(entry_);
}
