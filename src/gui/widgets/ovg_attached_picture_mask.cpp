#include "ovg_attached_picture_mask.h"

#include "ov_util.h"

#include <QPainter>

ovg_attached_picture_mask::ovg_attached_picture_mask(int side, QWidget* parent) : QWidget(parent), side_(side) {
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  resize(side, side);
}

void ovg_attached_picture_mask::set_alpha(int alpha) {
  alpha_ = ov_clamp(alpha, 0, 255);
  update();
}

void ovg_attached_picture_mask::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(0, 0, 0, alpha_));
}
