#include "ovg_play_mode.h"

#include "ov_favorite_engine.h"
#include "ov_setting_int.h"
#include "ovg_attached_picture.h"
#include "ovg_controller_manual_medley.h"
#include "ovg_controller_normal.h"
#include "ovg_palette_manual_medley.h"
#include "ovg_palette_normal.h"
#include "ovg_slider.h"
#include "ovgv_favorite_engine.h"
#include "ovgv_next_tracks.h"
#include "ovgv_pc_medley.h"
#include "ovgv_pc_normal.h"
#include "ovgv_playback.h"
#include "ovgv_track_info.h"
#include "ovgv_track_info_link_label.h"
#include "ovgv_volume.h"

#include <QBoxLayout>
#include <QLabel>
#include <QStackedWidget>
#include <QToolButton>

namespace {
QString group_name(ovg_play_mode::kind k) {
  return k == ovg_play_mode::kind::normal ? QStringLiteral("normal_play") : QStringLiteral("shuffle_medley_play");
}
}  // namespace

ovg_play_mode::ovg_play_mode(kind k, const services& s, const QList<ov_medley_preset>& presets, QObject* parent)
    : QObject(parent), kind_(k), group_(s.main_ini, group_name(k)) {
  build_views(s);
  build_panels(presets);
  build_controller(s);
  connect_views();
}

ovg_play_mode::~ovg_play_mode() = default;

void ovg_play_mode::build_views(const services& s) {
  playback_ = std::make_unique<ovgv_playback>();
  track_info_ = std::make_unique<ovgv_track_info>();
  const int boxes = s.engine ? s.engine->nexts_size() : ovgv_next_tracks::default_boxes;
  next_tracks_ = std::make_unique<ovgv_next_tracks>(boxes);
  volume_ = std::make_unique<ovgv_volume>(s.volume);
  engine_view_ = std::make_unique<ovgv_favorite_engine>(s.engine);
  build_playback_frame();
  build_track_info_frame();
}

// Both arrangements of the transport in one stack; the palettes switch it.
void ovg_play_mode::build_playback_frame() {
  playback_frame_ = new QStackedWidget;
  playback_frame_->addWidget(playback_->wide_widget());
  playback_frame_->addWidget(playback_->compact_widget());
  playback_frame_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
}

// The cover (large, or small in the minimized palettes) with the rank icon
// and the like buttons beside it and the title links below, one line each,
// cut short to the column's width.
void ovg_play_mode::build_track_info_frame() {
  track_info_frame_ = new QWidget;
  auto* column = new QVBoxLayout(track_info_frame_);
  column->setContentsMargins(0, 0, 0, 0);
  auto* row = new QHBoxLayout;
  large_cover_ = track_info_->large_picture_widget();
  small_cover_ = track_info_->small_picture();
  row->addWidget(large_cover_, 0, Qt::AlignTop);
  row->addWidget(small_cover_, 0, Qt::AlignTop);
  small_cover_->hide();
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(track_info_->rank_icon());
  buttons->addWidget(track_info_->like_button());
  buttons->addWidget(track_info_->dislike_button());
  buttons->addStretch(1);
  row->addLayout(buttons);
  row->addStretch(1);
  column->addLayout(row);
  column->addWidget(track_info_->title_link());
  column->addWidget(track_info_->second_link());
  column->addStretch(1);
  track_info_->title_label()->hide();
  track_info_->second_label()->hide();
  track_info_->second_large_picture()->hide();
  track_info_->clear();
}

void ovg_play_mode::build_panels(const QList<ov_medley_preset>& presets) {
  play_control_ = std::make_unique<ovgv_pc_normal>(&group_);
  if (kind_ == kind::normal) {
    normal_palette_ = std::make_unique<ovg_palette_normal>(&group_, this, play_control_.get());
    return;
  }
  medley_panel_ = std::make_unique<ovgv_pc_medley>(&group_, presets);
  medley_palette_ =
      std::make_unique<ovg_palette_manual_medley>(&group_, this, play_control_.get(), medley_panel_.get());
}

void ovg_play_mode::build_controller(const services& s) {
  ovg_controller_views ports;
  ports.playback = playback_.get();
  ports.track_info = track_info_.get();
  ports.next_tracks = next_tracks_.get();
  ports.play_control = play_control_.get();
  ports.volume = volume_.get();
  ports.error = s.error;
  if (kind_ == kind::normal)
    controller_ = std::make_unique<ovg_controller_normal>(ports, s.library, s.engine);
  else
    controller_ = std::make_unique<ovg_controller_manual_medley>(ports, medley_panel_.get(), s.library, s.engine);
  controller_->set_history(s.history);
  if (s.engine)
    connect(s.engine, &ov_favorite_engine::esignal_enabled_like_buttons, track_info_.get(),
            &ovgv_track_info::eslot_enabled_like_buttons);
}

void ovg_play_mode::connect_views() {
  auto* c = controller_.get();
  using ctl = ovg_controller_abstract;
  connect(track_info_.get(), &ovgv_track_info::esignal_title_clicked, c, &ctl::islot_label_title_clicked);
  connect(track_info_.get(), &ovgv_track_info::esignal_button_like_clicked, c, &ctl::islot_button_like_clicked);
  connect(track_info_.get(), &ovgv_track_info::esignal_button_dislike_clicked, c, &ctl::islot_button_dislike_clicked);
  connect(volume_.get(), &ovgv_volume::esignal_slider_volume_value_changed, c, &ctl::islot_volume_changed);
  connect(playback_.get(), &ovgv_playback::esignal_slider_position_released, c, &ctl::islot_position_changed);
  connect(playback_.get(), &ovgv_playback::esignal_action_play_triggered, c, &ctl::islot_toggle_play_pause);
  connect(playback_.get(), &ovgv_playback::esignal_action_stop_triggered, c, &ctl::islot_stop);
  connect(playback_.get(), &ovgv_playback::esignal_action_next_triggered, c, &ctl::islot_go_next);
  connect(playback_.get(), &ovgv_playback::esignal_action_previous_triggered, c, &ctl::islot_go_previous);
  connect(next_tracks_.get(), &ovgv_next_tracks::esignal_box_clicked, c, &ctl::islot_next_track_clicked);
  connect(next_tracks_.get(), &ovgv_next_tracks::esignal_box_double_clicked, c, &ctl::islot_next_track_double_clicked);
  connect(next_tracks_.get(), &ovgv_next_tracks::esignal_size_changed, c, &ctl::islot_next_tracks_size_changed);
  connect(play_control_.get(), &ovgv_pc_normal::esignal_play_type_changed, c, &ctl::islot_play_type_changed);
  c->islot_play_type_changed();
}

QWidget* ovg_play_mode::palette_widget() const {
  return normal_palette_ ? normal_palette_->widget() : medley_palette_->widget();
}

void ovg_play_mode::set_play_controls_enabled(bool enabled) {
  playback_->play_button()->setEnabled(enabled);
}

void ovg_play_mode::follow_volume_of(const ovg_play_mode& other) {
  connect(other.volume_.get(), &ovgv_volume::esignal_slider_volume_value_changed, volume_->slider(),
          &QSlider::setValue);
}

QWidget* ovg_play_mode::next_tracks() const {
  return next_tracks_->container();
}
QWidget* ovg_play_mode::volume() const {
  return volume_->widget();
}
QWidget* ovg_play_mode::engine_status() const {
  return engine_view_->widget();
}

void ovg_play_mode::set_playback_arrangement(playback_arrangement arrangement) {
  const bool wide = arrangement == playback_arrangement::wide;
  if (wide)
    playback_->use_wide();
  else
    playback_->use_compact();
  playback_frame_->setCurrentWidget(wide ? playback_->wide_widget() : playback_->compact_widget());
  large_cover_->setVisible(wide);
  small_cover_->setVisible(!wide);
}

void ovg_play_mode::set_playback_icon_size(icon_size size) {
  if (size == icon_size::small)
    playback_->use_small_icons();
  else
    playback_->use_large_icons();
}

void ovg_play_mode::set_track_info_text_max_width(int width) {
  track_info_->set_text_max_width(width);
}
