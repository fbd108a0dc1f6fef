#pragma once

#include <QString>

#include <cmath>

// Numeric helpers shared by the score arithmetic and the views.
inline int ov_min(int a, int b) {
  return a < b ? a : b;
}
inline int ov_max(int a, int b) {
  return a > b ? a : b;
}
// Below lo gives lo, else the smaller of v and hi.
inline int ov_clamp(int v, int lo, int hi) {
  return v < lo ? lo : ov_min(v, hi);
}
// Rounding half away from zero.
inline double ov_round(double v) {
  return std::round(v);
}
// Truncation toward zero: every real number of points becomes an integer this way.
inline int ov_trunc(double v) {
  return static_cast<int>(std::trunc(v));
}

// "%1:%2:%3" with at least one hour, otherwise "%2:%3"; minutes and seconds
// two digits when following a larger unit.
inline QString ov_time_text_seconds(qint64 seconds) {
  if (seconds < 0) seconds = 0;
  const qint64 h = seconds / 3600, m = (seconds / 60) % 60, s = seconds % 60;
  if (h > 0) return QStringLiteral("%1:%2:%3").arg(h).arg(m, 2, 10, QLatin1Char('0')).arg(s, 2, 10, QLatin1Char('0'));
  return QStringLiteral("%2:%3").arg(m).arg(s, 2, 10, QLatin1Char('0'));
}
