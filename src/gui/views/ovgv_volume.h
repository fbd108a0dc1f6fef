#pragma once

#include "ov_adoptable.h"
#include "ov_view_ports.h"

#include <QObject>

class QLabel;
class QWidget;
class ov_setting_int;
class ovg_slider;

// The volume row: "Vol", a slider 0..100 and the percent. The value comes
// from the stored setting at construction and is written back on every
// change. widget() is the row a palette places; the view deletes it when it
// goes (unless a parent widget already did).
class ovgv_volume : public QObject, public ov_volume_port {
  Q_OBJECT

public:
  // `stored` is the "volume" item of the settings group "volume"; not owned,
  // it must outlive the view. Null keeps the value in memory only.
  explicit ovgv_volume(ov_setting_int* stored, QObject* parent = nullptr);
  ~ovgv_volume() override;

  int volume() const override;  // ov_volume_port

  QWidget* widget() const { return row_; }
  ovg_slider* slider() const { return slider_; }
  QLabel* percent_label() const { return percent_; }

signals:
  void esignal_slider_volume_value_changed(int value);

public slots:
  void islot_slider_volume_value_changed(int value);

private:
  ov_adoptable<QWidget> row_;
  ovg_slider* slider_ = nullptr;  // children of row_
  QLabel* percent_ = nullptr;
  ov_setting_int* stored_;
};
