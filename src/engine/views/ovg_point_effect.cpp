#include "ovg_point_effect.h"

#include "ov_util.h"

#include <QPainter>

#include <chrono>

ovg_point_effect_thread::ovg_point_effect_thread(ovg_point_effect* effect, int travel_x, int travel_y, int duration_ms)
    : effect_(effect), travel_x_(travel_x), travel_y_(travel_y), duration_ms_(duration_ms) {}

ovg_point_effect_thread::~ovg_point_effect_thread() {
  stop();
}

void ovg_point_effect_thread::stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  wait();
}

bool ovg_point_effect_thread::wait_step() {
  std::unique_lock lock(mutex_);
  return !wake_.wait_for(lock, std::chrono::milliseconds(100), [this] { return stopping_; });
}

void ovg_point_effect_thread::run() {
  if (!is_valid()) return;
  const int steps = duration_ms_ / 100;
  const int alpha_step = 255 / steps;
  int alpha = 255;
  for (int i = 1; i <= steps; ++i) {
    if (!wait_step()) return;
    alpha = ov_clamp(alpha - alpha_step, 0, 255);
    // Travel so far, i / steps of the whole; computed afresh each step so
    // that rounding does not accumulate and the last step lands exactly.
    const double x = static_cast<double>(travel_x_) * i / steps;
    const double y = static_cast<double>(travel_y_) * i / steps;
    emit signal_alpha_changed(alpha);
    emit signal_moved(static_cast<int>(x), static_cast<int>(y));
  }
  emit signal_alpha_changed(0);
  emit signal_hide();
}

ovg_point_effect::ovg_point_effect(QWidget* parent) : QWidget(parent) {
  setFixedSize(60, 40);
  setAttribute(Qt::WA_NoMousePropagation);
  font_ = QFont(QStringLiteral("Arial"), 14, QFont::Bold);
}

ovg_point_effect::~ovg_point_effect() {
  if (thread_) thread_->stop();
}

ovg_point_effect* ovg_point_effect::run(QWidget* view, QPoint anchor, int points) {
  if (!view) return nullptr;
  auto* effect = new ovg_point_effect(view);
  effect->start(anchor, points);
  return effect;
}

void ovg_point_effect::start(QPoint anchor, int points) {
  origin_ = anchor - QPoint(5, 5);
  move(origin_);
  text_ = QString::number(points);
  if (points >= 1000) font_ = QFont(QStringLiteral("Arial"), 13, QFont::Bold);
  if (points < 1) {
    colour_ = QColor(0, 0, 255);
    travel_y_ = travel_pixels;
  } else {
    text_.prepend(QLatin1Char('+'));
    colour_ = QColor(255, 0, 0);
    travel_y_ = -travel_pixels;
  }
  show();
  raise();
  thread_ = std::make_unique<ovg_point_effect_thread>(this, 0, travel_y_, duration_ms);
  connect(thread_.get(), &ovg_point_effect_thread::signal_alpha_changed, this, &ovg_point_effect::eslot_set_alpha,
          Qt::QueuedConnection);
  connect(thread_.get(), &ovg_point_effect_thread::signal_moved, this, &ovg_point_effect::eslot_move,
          Qt::QueuedConnection);
  connect(thread_.get(), &ovg_point_effect_thread::signal_hide, this, &ovg_point_effect::eslot_hide,
          Qt::QueuedConnection);
  thread_->start();
}

void ovg_point_effect::eslot_set_alpha(int alpha) {
  alpha_ = ov_clamp(alpha, 0, 255);
  update();
}

void ovg_point_effect::eslot_move(int x, int y) {
  move(origin_ + QPoint(x, y));
}

void ovg_point_effect::eslot_hide() {
  hide();
  if (thread_) thread_->disconnect(this);
  deleteLater();
}

void ovg_point_effect::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QColor pen = colour_;
  pen.setAlpha(alpha_);
  painter.setPen(pen);
  painter.setFont(font_);
  painter.drawText(rect(), Qt::AlignCenter, text_);
}
