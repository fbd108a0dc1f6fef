#pragma once

#include <QImage>
#include <QWidget>

// An image scaled to the widget's size (aspect ratio kept, centred), drawn in
// grey while the widget is disabled. A double click emits
// esignal_double_clicked().
class ovg_icon : public QWidget {
  Q_OBJECT

public:
  explicit ovg_icon(const QString& path = QString(), QWidget* parent = nullptr);

  void set_image(const QImage& image);
  void set_path(const QString& path);
  QString path() const { return path_; }
  const QImage& image() const { return image_; }

  // The image as drawn in the given state: unchanged, or in grey.
  static QImage drawn_image(const QImage& image, bool enabled);

signals:
  void esignal_double_clicked();

protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  QString path_;
  QImage image_;
  // The image as last drawn, kept while size and state stay the same.
  QImage drawn_;
  bool drawn_enabled_ = true;
};
