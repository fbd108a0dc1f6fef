#pragma once

#include "ov_adoptable.h"
#include "ov_view_ports.h"

#include <QIcon>
#include <QObject>

class QAction;
class QBoxLayout;
class QLabel;
class QToolButton;
class QWidget;
class ovg_slider;

// Transport buttons, position slider and times of one play mode. It shows
// what the controller tells it and turns input into signals; while the user
// holds the slider, position updates leave it alone and the seek goes out
// once, on release.
//
// The widgets sit in one of two arrangements: wide (one row) or compact
// (buttons above the slider). The palettes place wide_widget() or
// compact_widget() after calling use_wide() or use_compact(), which move the
// same buttons, slider and labels into that container. The view deletes
// both containers when it goes (unless a parent widget already did).
class ovgv_playback : public QObject, public ov_playback_port {
  Q_OBJECT

public:
  static constexpr int slider_maximum = 1000;
  static constexpr int slider_width = 400;  // when there is room
  static constexpr int slider_min_width = 160;
  static constexpr int small_icon = 18;
  static constexpr int large_icon = 24;

  explicit ovgv_playback(QObject* parent = nullptr);
  ~ovgv_playback() override;

  // ov_playback_port
  void set_track(const ov_track* track) override;
  void set_position(int ms) override;
  void set_state(ove_playback::status state) override;
  void reset() override;

  void use_small_icons();
  void use_large_icons();
  void use_wide();
  void use_compact();
  QWidget* wide_widget() const { return wide_; }
  QWidget* compact_widget() const { return compact_; }

  ovg_slider* position_slider() const { return slider_; }
  QLabel* elapsed_label() const { return elapsed_; }
  QLabel* length_label() const { return length_; }
  QToolButton* play_button() const { return play_button_; }
  QToolButton* stop_button() const { return stop_button_; }
  QToolButton* next_button() const { return next_button_; }
  QToolButton* previous_button() const { return previous_button_; }
  bool is_dragging() const { return dragging_; }

  // Milliseconds of a slider value: trunc(track length / 1000 x value), in
  // 64 bits so long tracks do not overflow.
  qint64 ms_of_value(int value) const;
  // Slider value of a position: trunc(1000 / track length x ms); 0 without a length.
  int value_of_ms(qint64 ms) const;
  static QString time_text_ms(qint64 ms);

signals:
  void esignal_slider_position_released(int ms);
  void esignal_slider_volume_value_changed(int value);
  void esignal_action_play_triggered();
  void esignal_action_stop_triggered();
  void esignal_action_next_triggered();
  void esignal_action_previous_triggered();

public slots:
  void islot_slider_volume_value_changed(int value);
  void islot_slider_position_pressed();
  void islot_slider_position_released();
  void islot_slider_position_moved(int value);
  void islot_play_pause_clicked(bool checked);
  void islot_stop_clicked(bool checked);
  void islot_next_clicked(bool checked);
  void islot_previous_clicked(bool checked);

private:
  void build_actions();
  void build_slider_and_labels();
  void build_arrangements();
  void connect_inputs();
  QToolButton* make_button(QAction* action);
  void set_icon_size(int side);
  void arrange(QWidget* container, QBoxLayout* buttons_row, QBoxLayout* slider_row);

  ov_adoptable<QWidget> wide_;
  ov_adoptable<QWidget> compact_;
  QAction* action_play_ = nullptr;  // children of the view
  QAction* action_stop_ = nullptr;
  QAction* action_next_ = nullptr;
  QAction* action_previous_ = nullptr;
  QToolButton* play_button_ = nullptr;  // children of the current arrangement's container
  QToolButton* stop_button_ = nullptr;
  QToolButton* next_button_ = nullptr;
  QToolButton* previous_button_ = nullptr;
  ovg_slider* slider_ = nullptr;
  QLabel* elapsed_ = nullptr;
  QLabel* length_ = nullptr;
  QIcon play_icon_;
  QIcon pause_icon_;
  qint64 track_length_ms_ = 0;
  bool dragging_ = false;
};
