#pragma once

#include "ov_adoptable.h"
#include "ov_play_settings.h"
#include "ovg_palette_page.h"

#include <QObject>
#include <QWidget>

#include <memory>

class QPushButton;
class QStackedWidget;
class ovg_mode_views;
class ovg_palette_medium;
class ovg_palette_small;
class ovgv_pc_normal;

// The palette of normal play: the full arrangement, the minimized one and
// the medium manager switching between them, with a "Minimize"/"Maximize"
// button whose click the main window answers through medium().
class ovg_palette_normal : public QObject {
  Q_OBJECT

public:
  // group: "normal_play"; views and play_control are not owned, their widgets
  // go to the arrangements.
  ovg_palette_normal(ov_settings_group* group, ovg_mode_views* views, ovgv_pc_normal* play_control,
                     QObject* parent = nullptr);
  ~ovg_palette_normal() override;

  QWidget* widget() const { return widget_; }
  ovg_palette_medium* medium() const { return medium_.get(); }
  ovg_palette_page* full_page() const { return full_.get(); }
  ovg_palette_small* small() const { return small_.get(); }
  QPushButton* min_max_button() const { return min_max_; }

signals:
  void esignal_min_max_clicked();

private:
  void build_widget();
  void show_min_max_text(bool minimized);

  ov_play_settings settings_;
  ov_adoptable<QWidget> widget_;
  QStackedWidget* stack_ = nullptr;
  QPushButton* min_max_ = nullptr;
  std::unique_ptr<ovg_palette_page> full_;
  std::unique_ptr<ovg_palette_small> small_;
  std::unique_ptr<ovg_palette_medium> medium_;
};
