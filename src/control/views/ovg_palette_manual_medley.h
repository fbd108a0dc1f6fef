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
class ovg_palette_large;
class ovg_palette_medium;
class ovg_palette_small;
class ovgv_pc_medley;
class ovgv_pc_normal;

// The palette of shuffle medley play, "Medley Control": the narrow
// arrangement with the medley panel, the wide one without it and the
// minimized one, switched by its large manager. Its "Collapse"/"Expand" and
// "Minimize"/"Maximize" buttons and the medley panel's buttons are passed on
// as signals; the main window answers through large().
class ovg_palette_manual_medley : public QObject {
  Q_OBJECT

public:
  // group: "shuffle_medley_play"; the views and panels are not owned, their
  // widgets go to the arrangements.
  ovg_palette_manual_medley(ov_settings_group* group, ovg_mode_views* views, ovgv_pc_normal* play_control,
                            ovgv_pc_medley* medley_panel, QObject* parent = nullptr);
  ~ovg_palette_manual_medley() override;

  QWidget* widget() const { return widget_; }
  ovg_palette_large* large() const { return large_.get(); }
  ovg_palette_medium* medium() const { return medium_.get(); }
  ovg_palette_page* narrow_page() const { return narrow_.get(); }
  ovg_palette_page* wide_page() const { return wide_.get(); }
  ovg_palette_small* small() const { return small_.get(); }
  QPushButton* min_max_button() const { return min_max_; }
  QPushButton* collapse_expand_button() const { return collapse_expand_; }

signals:
  void esignal_min_max_clicked();
  void esignal_collapse_expand_clicked();
  void esignal_more_clicked();
  void esignal_minimize_clicked();

private:
  void build_widget();
  void make_managers(ovg_mode_views* views, ovgv_pc_normal* play_control);
  void connect_buttons(ovgv_pc_medley* medley_panel);
  void show_button_texts();

  ov_play_settings settings_;
  ov_adoptable<QWidget> widget_;
  QStackedWidget* stack_ = nullptr;
  QPushButton* collapse_expand_ = nullptr;
  QPushButton* min_max_ = nullptr;
  std::unique_ptr<ovg_palette_page> narrow_;
  std::unique_ptr<ovg_palette_page> wide_;
  std::unique_ptr<ovg_palette_small> small_;
  std::unique_ptr<ovg_palette_medium> medium_;
  std::unique_ptr<ovg_palette_large> large_;
};
