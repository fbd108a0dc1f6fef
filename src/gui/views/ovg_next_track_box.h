#pragma once

#include <QFrame>

class QLabel;
class ov_playlist_item;
class ovg_attached_picture;
class ovg_attached_picture_mask;

// One candidate of the next-tracks panel: the cover and the title of an
// entry. A single click picks it (once per filling of the panel); a double
// click plays a box that was just picked.
class ovg_next_track_box : public QFrame {
  Q_OBJECT

public:
  static constexpr int picture_side = 48;
  static constexpr int title_width = 44;

  explicit ovg_next_track_box(QWidget* parent = nullptr);

  void set_entry(ov_playlist_item* entry);
  ov_playlist_item* entry() const { return entry_; }
  void set_selectable(bool selectable);
  bool is_selectable() const { return selectable_; }
  void set_active(bool active);
  void refresh_hover();

  ovg_attached_picture* picture() const { return picture_; }
  ovg_attached_picture_mask* mask() const { return mask_; }
  QLabel* title_label() const { return title_; }

signals:
  void esignal_mouse_released(ovg_next_track_box* box, ov_playlist_item* entry);
  void esignal_double_clicked(ov_playlist_item* entry);

protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
  void dim(bool dimmed);
  void handle_double_click();

  bool selectable_ = false;
  bool active_ = true;
  ov_playlist_item* entry_ = nullptr;  // not owned; the playlist's
  qint64 press_time_ms_ = 0;
  bool double_click_handled_ = false;
  bool picked_ = false;
  ovg_attached_picture* picture_ = nullptr;  // children
  ovg_attached_picture_mask* mask_ = nullptr;
  QLabel* title_ = nullptr;
};
