#pragma once

#include <QSlider>

// A slider whose handle jumps to the clicked place: a press first sets the
// value under the pointer, then the normal press handling grabs the handle
// there, so it can be dragged on at once. A new value repaints the slider
// only when it moves the handle by a pixel or more.
class ovg_slider : public QSlider {
  Q_OBJECT

public:
  explicit ovg_slider(Qt::Orientation orientation, QWidget* parent = nullptr);

  // The value a press at `pos` jumps to: maximum x (pos / length), clamped.
  int value_at(QPoint pos) const;

protected:
  void mousePressEvent(QMouseEvent* event) override;
  void sliderChange(SliderChange change) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  QRect handle_rect() const;

  QRect shown_handle_;  // where the handle was when the last repaint was asked for
};
