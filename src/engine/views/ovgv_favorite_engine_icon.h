#pragma once

#include <QImage>
#include <QSize>
#include <QWidget>

// The grade image of the favorite engine, drawn scaled into a size fixed at
// construction (aspect ratio kept) at the widget's origin. A double click
// emits esignal_double_clicked().
class ovgv_favorite_engine_icon : public QWidget {
  Q_OBJECT

public:
  ovgv_favorite_engine_icon(const QImage& image, int draw_width, int draw_height, QWidget* parent = nullptr);

  void set_image(const QImage& image);
  const QImage& image() const { return image_; }
  QSize sizeHint() const override { return draw_size_; }

signals:
  void esignal_double_clicked();

protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
  QImage image_;
  QImage scaled_;  // image_ at draw_size_, made at the first paint after a change
  QSize draw_size_;
};
