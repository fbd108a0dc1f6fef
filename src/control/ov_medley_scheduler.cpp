#include "ov_medley_scheduler.h"

#include "ov_log.h"
#include "ov_random.h"
#include "ov_rank_table.h"
#include "ov_track.h"
#include "ov_util.h"

namespace {
const QString log_tag = QStringLiteral("controller_manual_medley");
constexpr int short_fade = 500;
constexpr int short_flatline = 2000;
constexpr int rounds = 5;

void debug(const QString& text) {
  ov_log_write(ov_log::DEBUG, log_tag, text);
}

QString n(int v) {
  return QString::number(v);
}

// Extra share of the flatline for a well-ranked track: up to rank x 6 + 10 percent.
int high_score_addition(const ov_track* track, int a, int b) {
  const int r = ov_rank_table::instance().index_of(track ? track->score() : 0) * 6 + 10;
  const int p = ov_clamp(random_between(0, r), 0, 100);
  return ov_trunc(p * 0.01 * (b - a));
}
}  // namespace

const QString ov_medley_scheduler::key_fadein = QStringLiteral("fadein_length");
const QString ov_medley_scheduler::key_flatline = QStringLiteral("flatline_length");
const QString ov_medley_scheduler::key_fadeout = QStringLiteral("fadeout_length");
const QString ov_medley_scheduler::key_start = QStringLiteral("start_position");
const QString ov_medley_scheduler::key_no_fade = QStringLiteral("is_no_fade_on_begin_end_enabled");

int ov_track_length_ms(const ov_track* track) {
  return track ? track->tags().length() * 1000 : 0;
}

void ov_medley_scheduler::apply_values(const ov_medley_values& v, const ov_track* track, int fadeout_length) {
  const int length = ov_track_length_ms(track);
  int fi_min = ov_min(v.fadein_min, v.fadein_max), fi_max = ov_max(v.fadein_min, v.fadein_max);
  if (v.adjust_fade_length && fadeout_length >= 0) fi_min = fi_max = ov_clamp(fadeout_length, fi_min, fi_max);
  const int fo_min = ov_min(v.fadeout_min, v.fadeout_max), fo_max = ov_max(v.fadeout_min, v.fadeout_max);

  int a = v.flatline_min, b = v.flatline_max;
  if (!v.flatline_in_seconds) {
    a = ov_trunc(v.flatline_ratio_min * 0.01 * length);
    b = ov_trunc(v.flatline_ratio_max * 0.01 * length);
  }
  if (v.longer_on_high_scored) {
    const int add = high_score_addition(track, a, b);
    a += add;
    debug(QStringLiteral("ADDITIONAL MSEC: ") + n(a) + ' ' + n(b) + ' ' + n(add));
  }
  int fl_min = ov_min(a, b), fl_max = ov_max(a, b);

  int sa = v.start_min, sb = v.start_max;
  if (!v.start_in_seconds) {
    sa = ov_trunc(v.start_ratio_min * 0.01 * length);
    sb = ov_trunc(v.start_ratio_max * 0.01 * length);
  }
  int sp_min = ov_min(sa, sb), sp_max = ov_max(sa, sb);
  debug(QStringLiteral("FADEIN: sp_min=") + n(sp_min) + QStringLiteral(",  sp_max=") + n(sp_max));

  fl_min = ov_max(fl_min, flatline_floor);
  fl_max = ov_min(fl_max, bound_cap);
  sp_min = ov_max(sp_min, 0);
  sp_max = ov_min(sp_max, bound_cap);
  debug(QStringLiteral("FADEIN: sp_min=") + n(sp_min) + QStringLiteral(",  sp_max=") + n(sp_max));

  fadein_min = fi_min, fadein_max = fi_max;
  flatline_min = fl_min, flatline_max = fl_max;
  fadeout_min = fo_min, fadeout_max = fo_max;
  start_min = sp_min, start_max = sp_max;
  debug(QStringLiteral("applied lengths to scheduler: fi=%1, %2;  fl=%3, %4;  fo=%5, %6;  sp=%7, %8;")
            .arg(fi_min)
            .arg(fi_max)
            .arg(fl_min)
            .arg(fl_max)
            .arg(fo_min)
            .arg(fo_max)
            .arg(sp_min)
            .arg(sp_max));
}

// Each round adds to fade-in, fade-out and flatline in turn a draw between 0
// and the smaller of (rest + the part so far) and the part's bound. Nothing
// is drawn once the rest is used up, so no part ever shrinks.
void ov_medley_scheduler::spread_rest(part (&parts)[3], int rest) {
  for (int round = 0; round < rounds && rest > 0; ++round) {
    for (part& p : parts) {
      const int d = random_between(0, ov_min(rest + p.length, p.bound));
      p.length += d;
      rest -= d;
      if (rest <= 0) return;
    }
  }
}

ov_medley_scheduler::lengths ov_medley_scheduler::draw_lengths(int available) const {
  const int sum_min = fadein_min + flatline_min + fadeout_min;
  const int sum_max = fadein_max + flatline_max + fadeout_max;
  // Order of the rounds: fade-in, fade-out, flatline.
  part parts[3] = {};
  if (available <= sum_min) {
    parts[0] = {short_fade, fadein_min};
    parts[1] = {short_fade, fadeout_min};
    parts[2] = {short_flatline, flatline_min};
    spread_rest(parts, available - (2 * short_fade + short_flatline));
  } else if (available >= sum_max) {
    parts[0].length = random_between(fadein_min, fadein_max);
    parts[1].length = random_between(fadeout_min, fadeout_max);
    parts[2].length = random_between(flatline_min, flatline_max);
  } else {
    parts[0] = {fadein_min, fadein_max};
    parts[1] = {fadeout_min, fadeout_max};
    parts[2] = {flatline_min, flatline_max};
    spread_rest(parts, random_between(sum_min, available) - sum_min);
  }
  return {{key_fadein, parts[0].length}, {key_fadeout, parts[1].length}, {key_flatline, parts[2].length}};
}

ov_medley_scheduler::lengths ov_medley_scheduler::draw_start_position(int available) const {
  const int start = available > start_min ? random_between(start_min, ov_min(available, start_max)) : start_min;
  return {{key_start, start}};
}

ov_medley_scheduler::lengths ov_medley_scheduler::schedule(const ov_track* track) const {
  const int length = ov_track_length_ms(track);
  lengths out;
  if (random_between(0, 1) == 1) {
    out = draw_start_position(length);
    out.insert(draw_lengths(length - out.value(key_start)));
  } else {
    out = draw_lengths(length);
    out.insert(draw_start_position(length - out.value(key_flatline) - out.value(key_fadeout) - out.value(key_fadein)));
  }
  return out;
}

ov_medley_scheduler::lengths ov_medley_scheduler::schedule_quick(const ov_track* track) {
  const int saved_min = fadein_min, saved_max = fadein_max;
  fadein_min = fadein_max = quick_fadein;
  lengths out = schedule(track);
  fadein_min = saved_min, fadein_max = saved_max;
  return out;
}
