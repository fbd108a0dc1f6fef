#include "ov_medley_preset.h"

#include "ov_util.h"

#include <QCoreApplication>

#include <iterator>

int ov_medley_seconds_to_ms(double seconds) {
  return static_cast<int>(ov_round(seconds * 10.0)) * 100;
}

ov_medley_values ov_medley_preset::values() const {
  ov_medley_values v;
  v.fadein_min = ov_medley_seconds_to_ms(fi_smin);
  v.fadein_max = ov_medley_seconds_to_ms(fi_smax);
  v.flatline_min = ov_medley_seconds_to_ms(fl_smin);
  v.flatline_max = ov_medley_seconds_to_ms(fl_smax);
  v.fadeout_min = ov_medley_seconds_to_ms(fo_smin);
  v.fadeout_max = ov_medley_seconds_to_ms(fo_smax);
  v.start_min = ov_medley_seconds_to_ms(sp_smin);
  v.start_max = ov_medley_seconds_to_ms(sp_smax);
  v.flatline_ratio_min = fl_rmin;
  v.flatline_ratio_max = fl_rmax;
  v.start_ratio_min = sp_rmin;
  v.start_ratio_max = sp_rmax;
  v.flatline_in_seconds = fl_senabled;
  v.start_in_seconds = sp_senabled;
  v.adjust_fade_length = adjust_fade_length_enabled;
  v.no_fade_on_begin_end = no_fade_on_begin_end_enabled;
  v.longer_on_high_scored = longer_on_high_scored_ones_enabled;
  return v;
}

QString ov_medley_preset::description() const {
  return QStringLiteral("ovgp_medley_preset:  ") + QStringLiteral("id= ") + QString::number(id) +
         QStringLiteral(",  ") + QStringLiteral("name= ") + name + QStringLiteral(",  ") +
         QStringLiteral("position= ") + QString::number(position);
}

namespace {

// One row of the built-in table: name (stored as it is, shown translated in
// the context "ov_medley_preset"), then fade-in, flatline, fade-out and
// start bounds in seconds, flatline and start bounds in percent, flatline in
// seconds, start in seconds, adjust, no fade, longer.
struct built_in_row {
  const char* name;
  double fi[2], fl[2], fo[2], sp[2];
  int fl_r[2], sp_r[2];
  bool fl_s, sp_s, adjust, no_fade, longer;
};

constexpr built_in_row built_in_rows[] = {
    {"Default", {2, 7}, {20, 45}, {2, 7}, {0, 180}, {30, 50}, {0, 50}, true, true, false, false, false},
    {"Long", {5, 7}, {45, 120}, {5, 7}, {0, 120}, {80, 90}, {0, 5}, false, false, false, true, true},
    {"Short", {3, 5}, {10, 20}, {3, 5}, {0, 120}, {10, 20}, {0, 50}, true, false, true, true, true},
    {"Sabi Medley", {5, 8}, {30, 45}, {5, 8}, {45, 60}, {20, 30}, {15, 20}, true, true, true, false, false},
    {"Game Soundtrack", {5, 10}, {45, 120}, {5, 10}, {0, 120}, {45, 50}, {0, 5}, false, false, false, true, true},
    {"Random Half", {5, 10}, {45, 120}, {5, 10}, {0, 120}, {40, 50}, {0, 50}, false, false, false, true, true},
};

}  // namespace

QString ov_medley_preset::shown_name(int id, const QString& name) {
  if (id < 0 || id >= int(std::size(built_in_rows))) return name;
  const char* built_in_name = built_in_rows[id].name;
  return name == QLatin1String(built_in_name) ? QCoreApplication::translate("ov_medley_preset", built_in_name) : name;
}

QList<ov_medley_preset> ov_medley_preset::built_in() {
  QList<ov_medley_preset> list;
  int index = 0;
  for (const built_in_row& r : built_in_rows) {
    ov_medley_preset p;
    p.id = index;
    p.position = index;
    p.name = QString::fromLatin1(r.name);
    p.fi_smin = r.fi[0], p.fi_smax = r.fi[1];
    p.fl_smin = r.fl[0], p.fl_smax = r.fl[1];
    p.fo_smin = r.fo[0], p.fo_smax = r.fo[1];
    p.sp_smin = r.sp[0], p.sp_smax = r.sp[1];
    p.fl_rmin = r.fl_r[0], p.fl_rmax = r.fl_r[1];
    p.sp_rmin = r.sp_r[0], p.sp_rmax = r.sp_r[1];
    p.fl_senabled = r.fl_s;
    p.sp_senabled = r.sp_s;
    p.adjust_fade_length_enabled = r.adjust;
    p.no_fade_on_begin_end_enabled = r.no_fade;
    p.longer_on_high_scored_ones_enabled = r.longer;
    list << p;
    ++index;
  }
  return list;
}
