#include "ovg_palette_medium.h"

#include "ov_setting_bool.h"
#include "ovg_mode_views.h"
#include "ovg_palette_page.h"
#include "ovg_palette_small.h"
#include "ovgv_pc_normal.h"

#include <QStackedWidget>

ovg_palette_medium::ovg_palette_medium(ov_setting_bool* minimized, ovg_mode_views* views, ovgv_pc_normal* play_control,
                                       QStackedWidget* stack, ovg_palette_page* full, ovg_palette_small* small,
                                       QObject* parent)
    : QObject(parent),
      minimized_(minimized),
      views_(views),
      play_control_(play_control),
      stack_(stack),
      full_(full),
      small_(small) {}

void ovg_palette_medium::set_full(ovg_palette_page* full, int text_width) {
  full_ = full;
  full_width_ = text_width;
}

void ovg_palette_medium::restore() {
  minimized_now_ = minimized_->read();
  apply();
}

void ovg_palette_medium::set_minimized(bool minimized) {
  minimized_->write(minimized);
  minimized_now_ = minimized;
  apply();
}

void ovg_palette_medium::apply() {
  using views = ovg_mode_views;
  if (minimized_now_) {
    views_->set_track_info_text_max_width(minimized_text_width);
    views_->set_playback_arrangement(views::playback_arrangement::compact);
    views_->set_playback_icon_size(views::icon_size::small);
    play_control_->place(ovgv_pc_normal::grid::minimized);
    small_->arrange();
    stack_->setCurrentWidget(small_->widget());
  } else {
    views_->set_track_info_text_max_width(full_width_);
    views_->set_playback_arrangement(views::playback_arrangement::wide);
    views_->set_playback_icon_size(views::icon_size::large);
    play_control_->place(ovgv_pc_normal::grid::full);
    full_->arrange();
    stack_->setCurrentWidget(full_->widget());
  }
  emit esignal_minimized_changed(minimized_now_);
}
