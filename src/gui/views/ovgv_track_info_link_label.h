#pragma once

#include <QFont>
#include <QLabel>

// A label that acts as a link: a release on a non-empty text emits
// esignal_clicked(); the hover font (underlined) shows while the pointer is
// over it, the normal font otherwise.
class ovgv_track_info_link_label : public QLabel {
  Q_OBJECT

public:
  explicit ovgv_track_info_link_label(QWidget* parent = nullptr);

  bool is_hovered() const { return font() == hover_font_; }

signals:
  void esignal_clicked();

protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

private:
  QFont normal_font_;
  QFont hover_font_;
};
