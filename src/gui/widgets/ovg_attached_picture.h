#pragma once

#include <QImage>
#include <QWidget>

// A cover picture drawn scaled into a square (48 x 48, 140 x 140 ...): a dark
// ground, a light border and the image on top. A null image shows the
// no-image picture instead. The scaled copy is made once per size, so a
// large cover costs one scaling, not one per paint.
class ovg_attached_picture : public QWidget {
  Q_OBJECT

public:
  static constexpr const char* no_image_path = ":/icons/no_image.png";
  static constexpr const char* no_track_path = ":/icons/no_track.png";

  explicit ovg_attached_picture(int side, QWidget* parent = nullptr);

  void set_image(const QImage& image);
  const QImage& image() const { return image_; }
  bool shows_no_image() const { return no_image_; }

  QSize sizeHint() const override { return QSize(side_, side_); }

protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

private:
  const QImage& scaled();

  int side_;
  QImage image_;
  QImage scaled_;
  bool no_image_ = false;
};
