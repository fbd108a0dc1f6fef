#include "ovg_palette_large.h"

#include "ov_setting_bool.h"
#include "ovg_palette_medium.h"

ovg_palette_large::ovg_palette_large(ov_setting_bool* collapsed, ovg_palette_medium* medium, ovg_palette_page* narrow,
                                     ovg_palette_page* wide, QObject* parent)
    : QObject(parent), collapsed_(collapsed), medium_(medium), narrow_(narrow), wide_(wide) {}

void ovg_palette_large::choose_full() {
  if (collapsed_now_)
    medium_->set_full(wide_, ovg_palette_medium::full_text_width);
  else
    medium_->set_full(narrow_, narrow_text_width);
}

void ovg_palette_large::restore() {
  collapsed_now_ = collapsed_->read();
  choose_full();
  medium_->restore();
  emit esignal_collapsed_changed(collapsed_now_);
}

// While minimized the new flag is stored and shows on maximizing.
void ovg_palette_large::set_collapsed(bool collapsed) {
  collapsed_->write(collapsed);
  collapsed_now_ = collapsed;
  choose_full();
  if (!medium_->is_minimized()) medium_->set_minimized(false);
  emit esignal_collapsed_changed(collapsed_now_);
}

void ovg_palette_large::set_minimized(bool minimized) {
  medium_->set_minimized(minimized);
}

void ovg_palette_large::toggle_minimized() {
  medium_->toggle();
}

ovg_palette_large::state ovg_palette_large::current() const {
  if (medium_->is_minimized()) return state::minimized;
  return collapsed_now_ ? state::wide : state::narrow;
}
