#pragma once

#include "ov_adoptable.h"
#include "ov_play_settings.h"
#include "ov_view_ports.h"

#include <QObject>
#include <QWidget>

class QGridLayout;
class QLabel;
class ovg_combo_box;

// The play-control panel of one play mode: the play type and the selection
// type, stored in the mode's settings group. The same three widgets are
// placed either in the full grid or in the minimized grid; the palettes put
// full_widget() and minimized_widget() into their arrangements.
class ovgv_pc_normal : public QObject, public ov_play_control_port {
  Q_OBJECT

public:
  enum class grid : int { full, minimized };

  // group: "normal_play" or "shuffle_medley_play" (not owned).
  explicit ovgv_pc_normal(ov_settings_group* group, QObject* parent = nullptr);
  ~ovgv_pc_normal() override;

  ov_play::play_type play_type() const override;
  ov_play::selection_type selection_type() const override;
  bool is_repeat() const;
  bool is_shuffle_or_random() const;

  void place(grid g);
  grid placed() const { return placed_; }
  QWidget* full_widget() const { return full_; }
  QWidget* minimized_widget() const { return minimized_; }
  ovg_combo_box* play_type_combo() const { return play_type_; }
  ovg_combo_box* selection_combo() const { return selection_; }
  QLabel* selection_label() const { return selection_label_; }

  // Selection matters only for these play types (shuffle, shuffle + repeat, random).
  static bool uses_selection(int play_type);

signals:
  void esignal_play_type_changed();

public slots:
  void islot_combobox_play_type_index_changed(int index);
  void islot_combobox_selection_type_index_changed(int index);

private:
  void fill_combos();
  QWidget* make_grid_widget(QGridLayout** grid);
  void apply_enabling();

  ov_play_settings settings_;
  ov_adoptable<QWidget> full_;
  ov_adoptable<QWidget> minimized_;
  QGridLayout* full_grid_ = nullptr;
  QGridLayout* minimized_grid_ = nullptr;
  ovg_combo_box* play_type_;
  ovg_combo_box* selection_;
  QLabel* selection_label_;
  grid placed_ = grid::full;
};
