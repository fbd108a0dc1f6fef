#pragma once

#include <QLabel>

// A label that acts as a link: a release on a non-empty text emits
// esignal_clicked(); the text is underlined while the pointer is over it.
// It keeps to one line of plain text, cut short with an ellipsis when it is
// wider than the label, so a long title never changes the label's height.
class ovgv_track_info_link_label : public QLabel {
  Q_OBJECT

public:
  explicit ovgv_track_info_link_label(QWidget* parent = nullptr);

  QSize minimumSizeHint() const override;

signals:
  void esignal_clicked();

protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

private:
  void set_underlined(bool underlined);
};
