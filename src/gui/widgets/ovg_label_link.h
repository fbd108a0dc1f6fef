#pragma once

#include <QLabel>

// A label that acts as a link: pointing-hand cursor, link colour, underlined;
// a mouse release on a non-empty text emits esignal_clicked().
class ovg_label_link : public QLabel {
  Q_OBJECT

public:
  explicit ovg_label_link(const QString& text = QString(), QWidget* parent = nullptr);

signals:
  void esignal_clicked();

protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};
