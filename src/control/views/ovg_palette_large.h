#pragma once

#include <QObject>

class ov_setting_bool;
class ovg_palette_medium;
class ovg_palette_page;

// Switches medley play between the narrow arrangement (with the medley
// panel), the wide one (collapsed: without it) and the minimized one. Drives
// a medium manager for the minimized side and remembers "collapsed".
class ovg_palette_large : public QObject {
  Q_OBJECT

public:
  enum class state : int { narrow, wide, minimized };
  static constexpr int narrow_text_width = 470;

  // None of the pointers is owned; medium keeps the "minimized" setting.
  ovg_palette_large(ov_setting_bool* collapsed, ovg_palette_medium* medium, ovg_palette_page* narrow,
                    ovg_palette_page* wide, QObject* parent = nullptr);

  // Shows the stored state: minimized wins, otherwise the collapsed flag.
  void restore();
  void set_collapsed(bool collapsed);
  void toggle_collapsed() { set_collapsed(!collapsed_now_); }
  void set_minimized(bool minimized);
  void toggle_minimized();
  bool is_collapsed() const { return collapsed_now_; }
  state current() const;

signals:
  void esignal_collapsed_changed(bool collapsed);

private:
  void choose_full();

  ov_setting_bool* collapsed_;
  ovg_palette_medium* medium_;
  ovg_palette_page* narrow_;
  ovg_palette_page* wide_;
  bool collapsed_now_ = false;
};
