#pragma once

#include <QWidget>

// A plain widget that reports every resize with its new width and height.
class ovg_widget : public QWidget {
  Q_OBJECT

public:
  explicit ovg_widget(QWidget* parent = nullptr) : QWidget(parent) {}

signals:
  void esignal_resized(int width, int height);

protected:
  void resizeEvent(QResizeEvent* event) override;
};
