#include "ovgv_playback.h"

#include "ov_log.h"
#include "ov_track.h"
#include "ov_util.h"
#include "ovg_slider.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
const QString log_tag = QStringLiteral("playback");
constexpr int time_label_width = 30;
}  // namespace

ovgv_playback::ovgv_playback(QObject* parent) : QObject(parent) {
  wide_ = new QWidget;
  compact_ = new QWidget;
  build_actions();
  build_slider_and_labels();
  build_arrangements();
  connect_inputs();
  reset();
  slider_->setEnabled(false);
}

ovgv_playback::~ovgv_playback() = default;

void ovgv_playback::build_actions() {
  QStyle* style = QApplication::style();
  play_icon_ = style->standardIcon(QStyle::SP_MediaPlay);
  pause_icon_ = style->standardIcon(QStyle::SP_MediaPause);
  action_play_ = new QAction(play_icon_, tr("Play"), this);
  action_stop_ = new QAction(style->standardIcon(QStyle::SP_MediaStop), tr("Stop"), this);
  action_next_ = new QAction(style->standardIcon(QStyle::SP_MediaSkipForward), tr("Next"), this);
  action_previous_ = new QAction(style->standardIcon(QStyle::SP_MediaSkipBackward), tr("Previous"), this);
  play_button_ = make_button(action_play_);
  stop_button_ = make_button(action_stop_);
  next_button_ = make_button(action_next_);
  previous_button_ = make_button(action_previous_);
  use_large_icons();
}

QToolButton* ovgv_playback::make_button(QAction* action) {
  auto* button = new QToolButton(wide_);
  button->setDefaultAction(action);
  button->setAutoRaise(true);
  return button;
}

void ovgv_playback::build_slider_and_labels() {
  slider_ = new ovg_slider(Qt::Horizontal, wide_);
  slider_->setRange(0, slider_maximum);
  // As wide as slider_width when there is room; a narrow window gets a
  // shorter slider rather than a palette that does not fit.
  slider_->setMinimumWidth(slider_min_width);
  slider_->setMaximumWidth(slider_width);
  const QString zero = time_text_ms(0);
  elapsed_ = new QLabel(zero, wide_);
  length_ = new QLabel(zero, wide_);
  // Fixed in both directions, so that a new time only repaints the label
  // instead of asking every layout up to the window to run again.
  elapsed_->setFixedSize(time_label_width, elapsed_->sizeHint().height());
  length_->setFixedSize(time_label_width, length_->sizeHint().height());
  elapsed_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  length_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void ovgv_playback::build_arrangements() {
  // Wide: one row. Compact: the buttons row above the slider row.
  auto* wide_row = new QHBoxLayout(wide_);
  wide_row->setContentsMargins(0, 0, 0, 0);
  wide_row->setSpacing(2);
  auto* compact_column = new QVBoxLayout(compact_);
  compact_column->setContentsMargins(0, 0, 0, 0);
  compact_column->setSpacing(0);
  auto* compact_buttons = new QHBoxLayout;
  auto* compact_slider = new QHBoxLayout;
  compact_buttons->setSpacing(2);
  compact_slider->setSpacing(2);
  compact_column->addLayout(compact_buttons);
  compact_column->addLayout(compact_slider);
  use_wide();
}

namespace {
// Takes every item out of a layout and its nested layouts; the widgets stay
// where they are, spacers are deleted, nested layouts are kept.
void empty_layout(QLayout* layout) {
  for (int i = layout->count() - 1; i >= 0; --i) {
    QLayoutItem* item = layout->itemAt(i);
    if (item->layout()) {
      empty_layout(item->layout());
      continue;
    }
    delete layout->takeAt(i);
  }
}
}  // namespace

void ovgv_playback::arrange(QWidget* container, QBoxLayout* buttons_row, QBoxLayout* slider_row) {
  empty_layout(container->layout());
  for (QWidget* w : {static_cast<QWidget*>(previous_button_), static_cast<QWidget*>(play_button_),
                     static_cast<QWidget*>(stop_button_), static_cast<QWidget*>(next_button_)})
    buttons_row->addWidget(w);
  if (buttons_row != slider_row) buttons_row->addStretch(1);
  slider_row->addWidget(elapsed_);
  slider_row->addWidget(slider_, 1);
  slider_row->addWidget(length_);
  slider_row->addStretch();
  for (QWidget* w : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) w->show();
}

void ovgv_playback::use_wide() {
  auto* row = static_cast<QBoxLayout*>(wide_->layout());
  arrange(wide_, row, row);
}

void ovgv_playback::use_compact() {
  auto* column = compact_->layout();
  arrange(compact_, static_cast<QBoxLayout*>(column->itemAt(0)->layout()),
          static_cast<QBoxLayout*>(column->itemAt(1)->layout()));
}

void ovgv_playback::connect_inputs() {
  connect(slider_, &QSlider::sliderPressed, this, &ovgv_playback::islot_slider_position_pressed);
  connect(slider_, &QSlider::sliderReleased, this, &ovgv_playback::islot_slider_position_released);
  connect(slider_, &QSlider::sliderMoved, this, &ovgv_playback::islot_slider_position_moved);
  connect(play_button_, &QToolButton::clicked, this, &ovgv_playback::islot_play_pause_clicked);
  connect(stop_button_, &QToolButton::clicked, this, &ovgv_playback::islot_stop_clicked);
  connect(next_button_, &QToolButton::clicked, this, &ovgv_playback::islot_next_clicked);
  connect(previous_button_, &QToolButton::clicked, this, &ovgv_playback::islot_previous_clicked);
}

qint64 ovgv_playback::ms_of_value(int value) const {
  return static_cast<qint64>(std::trunc(static_cast<double>(track_length_ms_) / slider_maximum * value));
}

int ovgv_playback::value_of_ms(qint64 ms) const {
  if (track_length_ms_ <= 0) return 0;
  const double value = std::trunc(static_cast<double>(slider_maximum) / track_length_ms_ * ms);
  return static_cast<int>(std::clamp(value, 0.0, static_cast<double>(slider_maximum)));
}

QString ovgv_playback::time_text_ms(qint64 ms) {
  return ov_time_text_seconds(ms / 1000);
}

void ovgv_playback::set_track(const ov_track* track) {
  if (!track) {
    ov_log_write(ov_log::DEBUG, log_tag, QStringLiteral("get data failed."));
    return;
  }
  track_length_ms_ = static_cast<qint64>(track->tags().length()) * 1000;
  length_->setText(ov_time_text_seconds(track->tags().length()));
  action_next_->setEnabled(true);
  action_previous_->setEnabled(true);
}

void ovgv_playback::set_position(int ms) {
  if (dragging_) return;
  slider_->setValue(value_of_ms(ms));
  elapsed_->setText(time_text_ms(ms));
}

void ovgv_playback::set_state(ove_playback::status state) {
  switch (state) {
    case ove_playback::playing:
      action_play_->setIcon(pause_icon_);
      action_stop_->setEnabled(true);
      slider_->setEnabled(true);
      break;
    case ove_playback::paused:
      action_play_->setIcon(play_icon_);
      break;
    case ove_playback::stopped:
      action_play_->setIcon(play_icon_);
      action_stop_->setEnabled(false);
      slider_->setEnabled(false);
      elapsed_->setText(time_text_ms(0));
      break;
    default:
      break;
  }
}

void ovgv_playback::reset() {
  elapsed_->setText(time_text_ms(0));
  length_->setText(time_text_ms(0));
  action_play_->setIcon(play_icon_);
  action_stop_->setEnabled(false);
  action_next_->setEnabled(false);
  action_previous_->setEnabled(false);
}

void ovgv_playback::set_icon_size(int side) {
  for (QToolButton* b : {play_button_, stop_button_, next_button_, previous_button_}) b->setIconSize(QSize(side, side));
}

void ovgv_playback::use_small_icons() {
  set_icon_size(small_icon);
}
void ovgv_playback::use_large_icons() {
  set_icon_size(large_icon);
}

void ovgv_playback::islot_slider_volume_value_changed(int value) {
  emit esignal_slider_volume_value_changed(value);
}

void ovgv_playback::islot_slider_position_pressed() {
  dragging_ = true;
  elapsed_->setText(time_text_ms(ms_of_value(slider_->sliderPosition())));
}

void ovgv_playback::islot_slider_position_moved(int value) {
  elapsed_->setText(time_text_ms(ms_of_value(value)));
}

void ovgv_playback::islot_slider_position_released() {
  const qint64 ms = ms_of_value(slider_->value());
  emit esignal_slider_position_released(static_cast<int>(std::min<qint64>(ms, std::numeric_limits<int>::max())));
  dragging_ = false;
}

void ovgv_playback::islot_play_pause_clicked(bool) {
  emit esignal_action_play_triggered();
}
void ovgv_playback::islot_stop_clicked(bool) {
  emit esignal_action_stop_triggered();
}
void ovgv_playback::islot_next_clicked(bool) {
  emit esignal_action_next_triggered();
}
void ovgv_playback::islot_previous_clicked(bool) {
  emit esignal_action_previous_triggered();
}
