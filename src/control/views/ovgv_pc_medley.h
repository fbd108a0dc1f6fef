#pragma once

#include "ov_adoptable.h"
#include "ov_medley_preset.h"
#include "ov_play_settings.h"
#include "ov_view_ports.h"

#include <QList>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <vector>

class QCheckBox;
class QPushButton;
class QStackedLayout;
class ovg_combo_box;
class ovg_dspinbox;
class ovgp_medley_preset;

// The medley panel: a preset selector over the edit pages of its own copies
// of the presets. The medley controller reads the selected preset's values.
class ovgv_pc_medley : public QObject, public ov_medley_panel_port {
  Q_OBJECT

public:
  // group: "shuffle_medley_play" (not owned).
  ovgv_pc_medley(ov_settings_group* group, const QList<ov_medley_preset>& presets, QObject* parent = nullptr);
  ~ovgv_pc_medley() override;

  // None when no valid preset is selected.
  std::optional<ov_medley_values> preset_values() const override;
  // Rebuilds the copies; the preset selected before stays selected when the
  // list still holds its id.
  void reload_presets(const QList<ov_medley_preset>& presets);

  QWidget* widget() const { return widget_; }
  ovg_combo_box* combo() const { return combo_; }
  QPushButton* more_button() const { return more_; }
  QPushButton* collapse_button() const { return collapse_; }
  int count() const { return static_cast<int>(copies_.size()); }
  // The edit page shown now (null without presets).
  QWidget* current_page() const;

signals:
  void esignal_more_clicked();
  void esignal_minimize_clicked();

public slots:
  void islot_current_preset_changed(int index);
  void islot_timer_config_timeout();

private:
  void build_widgets();
  void build_config_fields();
  void fill(const QList<ov_medley_preset>& presets);
  void select(int index);

  ov_play_settings settings_;
  ov_adoptable<QWidget> widget_;
  ovg_combo_box* combo_ = nullptr;
  std::vector<std::unique_ptr<ovgp_medley_preset>> copies_;
  QStackedLayout* pages_ = nullptr;
  bool reloading_ = false;
  QPushButton* more_ = nullptr;
  QPushButton* collapse_ = nullptr;
  // Limits of their own, written by the configuration timer only; the
  // scheduler reads the selected preset.
  std::vector<std::pair<ovg_dspinbox*, ov_setting_real*>> config_fields_;
  QCheckBox* config_adjust_ = nullptr;
  QCheckBox* config_no_fade_ = nullptr;
  QTimer config_timer_;
};
