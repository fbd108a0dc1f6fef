#include "ov_engine_rules.h"

#include "ov_favorite_engine.h"
#include "ov_util.h"

int ov_engine_rules::gain(int kind) const {
  if (!grade_) return 0;
  double m = 1.0;
  if (effect(ovd_skill::score_boost_all) != 0) m = effect(ovd_skill::score_boost_all);
  if (effect(ovd_skill::score_boost_all_2) != 0) m *= effect(ovd_skill::score_boost_all_2);
  int base = 0;
  int booster = -1;
  switch (kind) {
    case ov_favorite_engine::play_new:
      base = ov_trunc(grade_->play_new_gain + effect(ovd_skill::score_plus_play_new));
      booster = ovd_skill::score_boost_play_new;
      break;
    case ov_favorite_engine::selected:
      base = ov_trunc(grade_->selected_gain + effect(ovd_skill::score_plus_nexts));
      booster = ovd_skill::score_boost_nexts;
      break;
    case ov_favorite_engine::like:
      base = ov_trunc(grade_->button_gain + effect(ovd_skill::score_plus_buttons));
      booster = ovd_skill::score_boost_buttons;
      break;
    case ov_favorite_engine::dislike:
      base = ov_trunc(-grade_->button_gain + effect(ovd_skill::score_plus_buttons));
      booster = ovd_skill::score_boost_buttons;
      break;
    case ov_favorite_engine::play_through:
      base = ov_trunc(grade_->play_through_gain + effect(ovd_skill::score_plus_play_through));
      booster = ovd_skill::score_boost_play_through;
      break;
    default:
      return 0;
  }
  if (effect(booster) != 0) m *= effect(booster);
  return ov_trunc(ov_trunc(effect(ovd_skill::score_plus_all) + base) * m);
}

int ov_engine_rules::gain_limit() const {
  for (int id : {ovd_skill::elixir_s, ovd_skill::limit_break_3, ovd_skill::limit_break_2, ovd_skill::limit_break})
    if (has(id)) return ov_trunc(effect(id));
  return base_gain_limit;
}

int ov_engine_rules::wait_seconds() const {
  if (has(ovd_skill::elixir_t)) return ov_trunc(effect(ovd_skill::elixir_t));
  return grade_ ? grade_->wait_seconds : 0;
}

int ov_engine_rules::counted_up(int start, std::initializer_list<int> ids) const {
  int n = start;
  for (int id : ids)
    if (has(id)) n = ov_trunc(effect(id) + n);
  return n;
}

int ov_engine_rules::click_capacity() const {
  return counted_up(base_click_capacity,
                    {ovd_skill::click_button_plus, ovd_skill::click_button_plus_2, ovd_skill::click_button_plus_3});
}

int ov_engine_rules::nexts_size() const {
  return counted_up(base_nexts_size, {ovd_skill::expand_nexts, ovd_skill::expand_nexts_2, ovd_skill::expand_nexts_3});
}

ov_engine_rules::spread ov_engine_rules::spread_of(int base, int boost, int boost_2) const {
  if (!has(base)) return {};
  if (has(boost_2)) return {effect(boost_2), 5};
  if (has(boost)) return {effect(boost), 4};
  return {effect(base), 3};
}

ov_engine_rules::spread ov_engine_rules::album_spread() const {
  return spread_of(ovd_skill::distribute_album, ovd_skill::distribution_boost_album,
                   ovd_skill::distribution_boost_album_2);
}

ov_engine_rules::spread ov_engine_rules::artist_spread() const {
  return spread_of(ovd_skill::distribute_artist, ovd_skill::distribution_boost_artist,
                   ovd_skill::distribution_boost_artist_2);
}
