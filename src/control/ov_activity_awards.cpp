#include "ov_activity_awards.h"

#include "ov_library.h"
#include "ov_listening_history.h"
#include "ov_random.h"
#include "ov_track.h"
#include "ov_track_group.h"
#include "ov_util.h"

namespace {
void count(ov_track* track, ov_favorite_engine::kind k) {
  switch (k) {
    case ov_favorite_engine::play_new:
      track->increment_count_n();
      break;
    case ov_favorite_engine::selected:
      track->increment_count_s();
      break;
    case ov_favorite_engine::like:
      track->increment_count_l();
      break;
    case ov_favorite_engine::dislike:
      track->increment_count_dl();
      break;
    case ov_favorite_engine::play_through:
      track->increment_count_t();
      break;
  }
}
}  // namespace

void ov_activity_awards::set_history(ov_listening_history* history, std::function<qint64()> clock) {
  history_ = history;
  clock_ = std::move(clock);
}

int ov_activity_awards::award(ov_track* track, kind k, bool from_row) {
  if (!track) return 0;
  count(track, k);
  int points = 0;
  if (!engine_->is_waiting(k) && (k != ov_favorite_engine::play_new || from_row)) {
    int gain = engine_->gain(k);
    if (k == ov_favorite_engine::play_new || k == ov_favorite_engine::selected) gain *= engine_->score_multiplier();
    points = engine_->limit(gain, false);
    credit(track, k, points);
  }
  record(track, k, points);
  return points;
}

ov_activity_awards::selection ov_activity_awards::select(ov_track* picked, const QList<ov_track*>& others) {
  selection result;
  if (!picked) return result;
  picked->increment_count_s();
  double sum = 0.0;
  for (ov_track* t : others) {
    t->increment_count_ns();
    const double change = engine_->limit_real(engine_->not_selected_gain(t, picked) * engine_->score_multiplier());
    const int whole = ov_trunc(change);
    if (whole != 0) {
      t->add_score(whole);
      save(t);
      record(t, ov_favorite_engine::selected, whole);
    }
    result.losses << whole;
    sum += change;
  }
  if (const int total = ov_trunc(-sum); total != 0) {
    result.points = engine_->limit(total, true);
    credit(picked, ov_favorite_engine::selected, result.points);
  }
  record(picked, ov_favorite_engine::selected, result.points);
  return result;
}

void ov_activity_awards::credit(ov_track* track, kind k, int points) {
  if (points == 0) return;
  track->add_score(points);
  save(track);
  spread(track->album_group() ? &track->album_group()->tracks : nullptr, engine_->spread_rate_album(),
         engine_->spread_count_album(), points);
  spread(track->artist_group() ? &track->artist_group()->tracks : nullptr, engine_->spread_rate_artist(),
         engine_->spread_count_artist(), points);
  engine_->add_experience(points);
  engine_->use_kind(k);
  if (k == ov_favorite_engine::play_new || k == ov_favorite_engine::selected) engine_->roll_multiplier(points);
}

void ov_activity_awards::spread(const QList<ov_track*>* members, double rate, int count, int points) {
  const int share = ov_trunc(rate * points);
  if (!members || members->isEmpty() || share < 1 || count < 1) return;
  for (int i = 0; i < count; ++i) {
    ov_track* member = members->at(random_between(0, int(members->size()) - 1));
    member->add_score(share);
    save(member);
  }
}

void ov_activity_awards::record(const ov_track* track, kind k, int points) {
  if (!history_ || !clock_) return;
  const ov_grade_table::grade* grade = engine_->grade();
  history_->record_award(clock_(), track->id(), k, points, grade ? grade->index + 1 : 1);
}

void ov_activity_awards::save(ov_track* track) {
  if (track && library_) library_->write_score(track);
}
