#pragma once

#include <QWidget>

// A black square laid over a picture: alpha 0 leaves the picture as it is,
// 150 dims it. Mouse input passes through to the widget below.
class ovg_attached_picture_mask : public QWidget {
  Q_OBJECT

public:
  static constexpr int dimmed = 150;
  static constexpr int clear = 0;

  explicit ovg_attached_picture_mask(int side, QWidget* parent = nullptr);

  void set_alpha(int alpha);  // clamped to 0..255; repaints
  int alpha() const { return alpha_; }

  QSize sizeHint() const override { return QSize(side_, side_); }

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  int side_;
  int alpha_ = clear;
};
