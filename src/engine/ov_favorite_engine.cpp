#include "ov_favorite_engine.h"

#include "ov_log.h"
#include "ov_random.h"
#include "ov_rank_table.h"
#include "ov_track.h"
#include "ov_util.h"

#include <QTimer>

#include <cmath>
#include <cstdlib>

namespace {
const QString log_tag = QStringLiteral("favorite engine");
constexpr int max_chance = 5000;
constexpr int streak_limit = 3;
}  // namespace

QString ov_favorite_engine::load_failed_message() {
  return tr(
      "Favorite Engine failed to load its data from DB file.  It loaded default data.  Please check db file "
      "and consider to replace it from backup dir if you did not expect this situation.");
}

ov_favorite_engine::ov_favorite_engine(ov_database* db, const QString& seed, QObject* parent)
    : QObject(parent), db_(db), seed_(seed) {
  load_record();
  if (!load_ok_) {
    pending_messages_.append(load_failed_message());
    record_ = ov_favorite_record::defaults();
    load_ok_ = true;
    save_needed_ = true;
  }
  multiplier_ = 1;
  streak_ = 0;
  emit esignal_status_changed();

  time_left_ = wait_seconds();
  timer_ = new QTimer(this);
  timer_->setInterval(1000);
  reset_kinds();
  connect(timer_, &QTimer::timeout, this, &ov_favorite_engine::islot_update_time_left);

  if (save_needed_) save_record();
}

ov_favorite_engine::~ov_favorite_engine() = default;

void ov_favorite_engine::load_record() {
  load_ok_ = record_.load(db_, seed_);
}

void ov_favorite_engine::save_record() {
  record_.save(db_, seed_);
}

bool ov_favorite_engine::is_waiting(int kind) const {
  switch (kind) {
    case play_new:
    case selected:
      return used_[kind];
    case like:
    case dislike:
      return used_[like] || used_[dislike];
    default:
      return false;
  }
}

int ov_favorite_engine::gain(int kind) const {
  return rules().gain(kind);
}

double ov_favorite_engine::not_selected_gain(const ov_track* other, const ov_track* picked) const {
  if (!other || !picked) return 0.0;
  return not_selected_gain_of_scores(other->score(), picked->score());
}

double ov_favorite_engine::not_selected_gain_of_scores(int other_score, int picked_score) const {
  const int g = gain(selected);
  if (g == 0) return 0.0;
  const double loss = -g;
  if (!has(ovd_skill::dynamic_rate)) return loss;

  const ov_rank_table& ranks = ov_rank_table::instance();
  const int rp = ranks.rank_index(picked_score);
  const int ro = ranks.rank_index(other_score);
  ov_log_write(ov_log::DEBUG, log_tag, QStringLiteral("rank_selected") + QString::number(rp));
  ov_log_write(ov_log::DEBUG, log_tag, QStringLiteral("rank_other") + QString::number(ro));
  const int d = ro - rp;
  if (d == 0) return loss;

  const double boost = has(ovd_skill::dynamic_rate_boost) ? effect(ovd_skill::dynamic_rate_boost) : 1.0;
  const double factor = d > 0 ? 1.0 + d * 0.15 * boost : 1.0 / (1.0 + std::abs(d) * 0.1 * boost);
  ov_log_write(ov_log::DEBUG, log_tag, QStringLiteral("rate") + QString::number(factor, 'g', 6));
  return factor * loss;
}

int ov_favorite_engine::gain_limit() const {
  return rules().gain_limit();
}

int ov_favorite_engine::limit(int points, bool no_reverse) const {
  // 64-bit so that the size of the smallest int is representable.
  const qint64 size = std::min<qint64>(std::llabs(qint64(points)), gain_limit());
  int result = static_cast<int>(points < 0 ? -size : size);
  if (!no_reverse && has(ovd_skill::reverse)) result = -result;
  return result;
}

double ov_favorite_engine::limit_real(double points) const {
  const double size = std::min(std::fabs(points), double(gain_limit()));
  double result = points < 0 ? -size : size;
  if (has(ovd_skill::reverse)) result = -result;
  return result;
}

void ov_favorite_engine::add_experience(int points) {
  const qint64 a = std::llabs(qint64(points));
  if (a == 0 || !record_.grade) return;
  qint64 exp = qint64(record_.experience) + a;
  if (exp > record_.grade->exp_requirement) exp = record_.grade->exp_requirement;
  if (exp < 0) exp = 0;
  record_.experience = static_cast<int>(exp);
  save_record();
  emit esignal_status_changed();
}

void ov_favorite_engine::use_kind(int kind) {
  if (kind < play_new || kind > play_through) return;
  if (kind == like || kind == dislike) {
    clicks_left_ -= 1;
    if (clicks_left_ <= 0) {
      clicks_left_ = 0;
      used_[kind] = true;
      emit esignal_enabled_like_buttons(false);
    }
  } else if (kind == play_new || kind == selected) {
    used_[kind] = true;
  }
  emit esignal_status_changed();
  if (kind != play_through && !timer_->isActive()) timer_->start();
}

void ov_favorite_engine::reset_kinds() {
  used_.fill(false);
  clicks_left_ = click_capacity();
  emit esignal_enabled_like_buttons(true);
}

bool ov_favorite_engine::is_counting_down() const {
  return timer_ && timer_->isActive();
}

void ov_favorite_engine::islot_update_time_left() {
  time_left_ -= 1;
  if (time_left_ < 1) {
    time_left_ = wait_seconds();
    timer_->stop();
    reset_kinds();
  }
  emit esignal_status_changed();
}

void ov_favorite_engine::roll_multiplier(int points) {
  if (streak_ >= streak_limit) {
    multiplier_ = 1;
    streak_ = 0;
    emit esignal_status_changed();
    return;
  }
  int chance = -1;  // negative points: no draw can succeed
  if (points >= 0) {
    const double raw = std::sqrt(double(points)) * 45.0 + 100.0 + streak_ * 500;
    chance = raw >= max_chance ? max_chance : ov_trunc(raw);
  }
  int m = 0;
  if (has(ovd_skill::double_score) && random_between(0, 10000) <= chance) m = 2;
  if (has(ovd_skill::triple_score) && random_between(0, 10000) <= chance) m += 3;
  if (has(ovd_skill::quadruple_score) && random_between(0, 10000) <= chance) m += 4;

  if (m != 0) {
    streak_ += 1;
    multiplier_ = m;
    timer_->stop();
    time_left_ = wait_seconds();
    reset_kinds();
  } else {
    streak_ = 0;
    multiplier_ = 1;
  }
  emit esignal_status_changed();
}

double ov_favorite_engine::spread_rate_album() const {
  return rules().album_spread().rate;
}
int ov_favorite_engine::spread_count_album() const {
  return rules().album_spread().count;
}
double ov_favorite_engine::spread_rate_artist() const {
  return rules().artist_spread().rate;
}
int ov_favorite_engine::spread_count_artist() const {
  return rules().artist_spread().count;
}

int ov_favorite_engine::play_through_seconds() const {
  return record_.grade ? record_.grade->play_through_seconds : 0;
}

int ov_favorite_engine::wait_seconds() const {
  return rules().wait_seconds();
}
int ov_favorite_engine::click_capacity() const {
  return rules().click_capacity();
}
int ov_favorite_engine::nexts_size() const {
  return rules().nexts_size();
}

void ov_favorite_engine::set_skills(const ov_skill_set& skills) {
  const bool had_elixir = has(ovd_skill::elixir_t);
  record_.skills = skills;
  if (had_elixir != has(ovd_skill::elixir_t)) {
    timer_->stop();
    time_left_ = wait_seconds();
    reset_kinds();
    emit esignal_pref_changed();
    emit esignal_status_changed();
  }
  save_record();
}

bool ov_favorite_engine::can_upgrade() const {
  const ov_grade_table::grade* g = record_.grade;
  if (!g || g->index >= ov_grade_table::last_index) return false;
  return g->exp_requirement <= record_.experience;
}

void ov_favorite_engine::upgrade() {
  if (!can_upgrade()) return;
  const ov_grade_table::grade* next = ov_grade_table::instance().next(record_.grade);
  if (!next) return;
  record_.experience = 0;
  record_.grade = next;
  timer_->stop();
  time_left_ = wait_seconds();
  reset_kinds();
  save_record();
  emit esignal_upgraded();
  emit esignal_status_changed();
}
