#pragma once

#include "ov_medley_values.h"

#include <QList>
#include <QString>

// The values of one medley preset as the presets table stores them: bounds in
// seconds for the fade-in, the flatline, the fade-out and the start position,
// bounds in whole percent of the track's length for the flatline and the
// start, and the options. Minimum and maximum are not kept in order; the
// scheduler takes the smaller and the larger of each pair.
struct ov_medley_preset {
  int id = 0;
  QString name;
  int position = 0;
  double fi_smin = 2, fi_smax = 7;
  double fl_smin = 20, fl_smax = 45;
  double fo_smin = 2, fo_smax = 7;
  double sp_smin = 0, sp_smax = 180;
  int fl_rmin = 30, fl_rmax = 50;
  int sp_rmin = 0, sp_rmax = 50;
  bool fl_senabled = true;
  bool sp_senabled = true;
  bool adjust_fade_length_enabled = false;
  bool no_fade_on_begin_end_enabled = false;
  bool longer_on_high_scored_ones_enabled = false;

  // Seconds become milliseconds as round(seconds x 10) x 100.
  ov_medley_values values() const;
  // "ovgp_medley_preset:  id= 3,  name= Sabi Medley,  position= 3"
  QString description() const;

  bool operator==(const ov_medley_preset&) const = default;

  static constexpr int default_id = 0;
  static QString default_name() { return QStringLiteral("Default"); }
  // The six presets written when the table holds none, ids and positions 0..5.
  static QList<ov_medley_preset> built_in();
  // The name the views show: a built-in preset that still has its built-in
  // name shows it translated; every other name is shown as stored. The
  // stored name itself never changes with the language.
  static QString shown_name(int id, const QString& name);
};

// round(seconds x 10) x 100, half away from zero.
int ov_medley_seconds_to_ms(double seconds);
