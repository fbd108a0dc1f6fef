#pragma once

#include <QObject>

class QStackedWidget;
class ov_setting_bool;
class ovg_mode_views;
class ovg_palette_page;
class ovg_palette_small;
class ovgv_pc_normal;

// Switches a play mode between its full arrangement and the minimized one,
// and remembers the choice in the mode's "minimized" setting.
class ovg_palette_medium : public QObject {
  Q_OBJECT

public:
  // Track information widths of the two states.
  static constexpr int full_text_width = 605;
  static constexpr int minimized_text_width = 580;

  // None of the pointers is owned; stack holds the pages of full and small.
  ovg_palette_medium(ov_setting_bool* minimized, ovg_mode_views* views, ovgv_pc_normal* play_control,
                     QStackedWidget* stack, ovg_palette_page* full, ovg_palette_small* small,
                     QObject* parent = nullptr);

  // The arrangement shown when not minimized, with its text width.
  void set_full(ovg_palette_page* full, int text_width);
  // Shows the stored state.
  void restore();
  void set_minimized(bool minimized);
  void toggle() { set_minimized(!minimized_now_); }
  bool is_minimized() const { return minimized_now_; }

signals:
  void esignal_minimized_changed(bool minimized);

private:
  void apply();

  ov_setting_bool* minimized_;
  ovg_mode_views* views_;
  ovgv_pc_normal* play_control_;
  QStackedWidget* stack_;
  ovg_palette_page* full_;
  ovg_palette_small* small_;
  int full_width_ = full_text_width;
  bool minimized_now_ = false;
};
