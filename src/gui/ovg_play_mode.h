#pragma once

#include "ov_adoptable.h"
#include "ov_medley_preset.h"
#include "ov_settings_group.h"
#include "ov_view_ports.h"
#include "ovg_mode_views.h"

#include <QList>
#include <QObject>

#include <memory>

#include <QStackedWidget>
class ov_favorite_engine;
class ov_library;
class ov_listening_history;
class ov_setting_int;
class ovg_controller_abstract;
class ovg_palette_manual_medley;
class ovg_palette_normal;
class ovgv_favorite_engine;
class ovgv_next_tracks;
class ovgv_pc_medley;
class ovgv_pc_normal;
class ovgv_playback;
class ovgv_track_info;
class ovgv_volume;

// One way of playing with everything it owns: its settings group of
// conf/main.ini, its own views (playback, track information, next tracks,
// volume, engine status), its play-control panel (and the medley panel),
// its palette and its controller. The views are wired to the controller
// here; the main window wires the mode to itself.
class ovg_play_mode : public QObject, public ovg_mode_views {
  Q_OBJECT

public:
  enum class kind : int { normal, medley };

  struct services {
    QString main_ini;
    ov_library* library = nullptr;
    ov_favorite_engine* engine = nullptr;
    ov_setting_int* volume = nullptr;  // group "volume", shared by both modes
    ov_error_port* error = nullptr;
    ov_listening_history* history = nullptr;  // none: nothing recorded
  };

  ovg_play_mode(kind k, const services& s, const QList<ov_medley_preset>& presets, QObject* parent = nullptr);
  // The controller goes first, so no line report reaches a freed view.
  ~ovg_play_mode() override;

  ovg_controller_abstract* controller() const { return controller_.get(); }
  QWidget* palette_widget() const;
  ovg_palette_normal* normal_palette() const { return normal_palette_.get(); }
  ovg_palette_manual_medley* medley_palette() const { return medley_palette_.get(); }
  ovgv_pc_normal* play_control() const { return play_control_.get(); }
  ovgv_pc_medley* medley_panel() const { return medley_panel_.get(); }
  ovgv_playback* playback_view() const { return playback_.get(); }
  ovgv_track_info* track_info_view() const { return track_info_.get(); }
  ovgv_next_tracks* next_tracks_view() const { return next_tracks_.get(); }
  ovgv_volume* volume_view() const { return volume_.get(); }
  ovgv_favorite_engine* engine_view() const { return engine_view_.get(); }

  // The play and transport buttons, off while the shown playlist is empty.
  void set_play_controls_enabled(bool enabled);
  // Keeps this mode's volume slider at the other mode's value.
  void follow_volume_of(const ovg_play_mode& other);

  // ovg_mode_views
  QWidget* playback() const override { return playback_frame_; }
  QWidget* track_info() const override { return track_info_frame_; }
  QWidget* next_tracks() const override;
  QWidget* volume() const override;
  QWidget* engine_status() const override;
  void set_playback_arrangement(playback_arrangement arrangement) override;
  void set_playback_icon_size(icon_size size) override;
  void set_track_info_text_max_width(int width) override;

private:
  void build_views(const services& s);
  void build_playback_frame();
  void build_track_info_frame();
  void build_panels(const QList<ov_medley_preset>& presets);
  void build_controller(const services& s);
  void connect_views();

  kind kind_;
  ov_settings_group group_;
  std::unique_ptr<ovgv_playback> playback_;
  std::unique_ptr<ovgv_track_info> track_info_;
  std::unique_ptr<ovgv_next_tracks> next_tracks_;
  std::unique_ptr<ovgv_volume> volume_;
  std::unique_ptr<ovgv_favorite_engine> engine_view_;
  std::unique_ptr<ovgv_pc_normal> play_control_;
  std::unique_ptr<ovgv_pc_medley> medley_panel_;
  // The frames are widgets of the palette pages once placed. Members go in
  // reverse order: the controller, then the palettes, then the frames and
  // the views they hold.
  ov_adoptable<QStackedWidget> playback_frame_;
  ov_adoptable<QWidget> track_info_frame_;
  QWidget* large_cover_ = nullptr;  // children of the track information frame
  QWidget* small_cover_ = nullptr;
  std::unique_ptr<ovg_palette_normal> normal_palette_;
  std::unique_ptr<ovg_palette_manual_medley> medley_palette_;
  std::unique_ptr<ovg_controller_abstract> controller_;
};
