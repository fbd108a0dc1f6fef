#pragma once

#include "ov_adoptable.h"
#include "ovg_bar_text.h"

#include <QObject>

#include <map>

class QGroupBox;
class QLabel;
class QLayout;
class QPushButton;
class QWidget;
class ov_favorite_engine;
class ovg_icon;
class ovgv_favorite_engine_icon;

// The favorite engine's status panel of a play mode: grade icon and name,
// the experience and waiting-time bars, the activity icons (greyed while the
// activity waits), the score multiplier, and either the "Upgrade" button or
// the preferences button. Builds and owns the group box "Favorite Engine
// Status"; the engine is not owned and must outlive the panel.
class ovgv_favorite_engine : public QObject {
  Q_OBJECT

public:
  explicit ovgv_favorite_engine(ov_favorite_engine* engine, QWidget* parent_widget = nullptr,
                                QObject* parent = nullptr);
  ~ovgv_favorite_engine() override;

  QWidget* widget() const;

  // The parts, for the window's layout and for tests.
  ovgv_favorite_engine_icon* grade_icon() const { return grade_icon_; }
  QLabel* grade_label() const { return grade_label_; }
  QProgressBar* exp_bar() const { return exp_bar_; }
  QProgressBar* wait_bar() const { return wait_bar_; }
  ovg_icon* activity_icon(int kind) const;
  ovg_icon* multiplier_icon() const { return multiplier_icon_; }
  QPushButton* upgrade_button() const { return upgrade_button_; }
  QPushButton* pref_button() const { return pref_button_; }

signals:
  void esignal_grade_up_clicked();
  void esignal_icon_double_clicked();

public slots:
  void islot_update_info();
  void islot_engine_pref_changed();
  void islot_engine_upgraded();

private:
  void build_widgets(QWidget* parent_widget);
  QLayout* build_grade_column();
  QLayout* build_bars_column();
  QLayout* build_icon_row();
  QLayout* build_button_row();
  void connect_signals();
  void update_experience();
  void update_waiting();
  void update_activities();
  void update_multiplier();

  ov_favorite_engine* engine_;
  ov_adoptable<QGroupBox> box_;
  ovgv_favorite_engine_icon* grade_icon_ = nullptr;
  QLabel* grade_label_ = nullptr;
  QProgressBar* exp_bar_ = nullptr;
  ovg_progress_bar* wait_bar_ = nullptr;
  std::map<int, ovg_icon*> activity_icons_;  // by kind
  ovg_icon* multiplier_icon_ = nullptr;
  QPushButton* upgrade_button_ = nullptr;
  QPushButton* pref_button_ = nullptr;
};
