#include "ovg_controller_abstract.h"

#include "ov_favorite_engine.h"
#include "ov_library.h"
#include "ov_log.h"
#include "ov_playback_normal.h"
#include "ov_playline.h"
#include "ov_playlist.h"
#include "ov_random.h"
#include "ov_track.h"
#include "ov_util.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTimer>
#include <QWriteLocker>

namespace {
const QString log_tag = QStringLiteral("controller_abstract");

ove_playback::status shown_state(ovg_controller_abstract::state_type s) {
  switch (s) {
    case ovg_controller_abstract::playing:
      return ove_playback::playing;
    case ovg_controller_abstract::paused:
      return ove_playback::paused;
    case ovg_controller_abstract::stopped:
      return ove_playback::stopped;
    default:
      return ove_playback::ready;
  }
}

void count_activity(ov_track* track, int kind) {
  switch (kind) {
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
    default:
      break;
  }
}
}  // namespace

ovg_controller_abstract::ovg_controller_abstract(const ovg_controller_views& views, ov_library* library,
                                                 ov_favorite_engine* engine, QObject* parent)
    : QObject(parent),
      views_(views),
      library_(library),
      engine_(engine),
      pool_(std::make_unique<ov_track_pool>()),
      position_timer_(new QTimer(this)),
      clock_([] { return QDateTime::currentSecsSinceEpoch(); }) {
  position_timer_->setInterval(position_interval_ms);
  connect(position_timer_, &QTimer::timeout, this, &ovg_controller_abstract::islot_update_time_position);
  connect(pool_.get(), &ov_track_pool::esignal_current_track_removed, this,
          &ovg_controller_abstract::islot_current_item_removed);
  islot_play_type_changed();
}

ovg_controller_abstract::~ovg_controller_abstract() = default;

bool ovg_controller_abstract::is_position_timer_active() const {
  return position_timer_->isActive();
}

bool ovg_controller_abstract::is_busy() {
  if (!lock_.tryLockForWrite()) return true;
  lock_.unlock();
  return false;
}

void ovg_controller_abstract::locked(const std::function<void()>& work) {
  {
    QWriteLocker l(&lock_);
    work();
  }
  std::vector<std::function<void()>> actions;
  actions.swap(deferred_);
  for (const auto& a : actions) a();
}

void ovg_controller_abstract::defer_track_status_changed() {
  defer([this, p = playlist_] { emit esignal_track_status_changed(p); });
}

void ovg_controller_abstract::defer_load_error(const ov_playlist_item* item) {
  const QString path = item && item->track() ? item->track()->tags().file_path() : QString();
  ov_error_port* port = views_.error;
  defer([port, path] {
    if (port) port->show_error(tr("Failed to open file.\n") + path);
  });
}

// --- slots ---

void ovg_controller_abstract::islot_label_title_clicked() {
  locked([this] { defer([this, p = playlist_, i = m_selected_item] { emit esignal_title_clicked(p, i); }); });
}

void ovg_controller_abstract::islot_button_like_clicked() {
  locked([this] { like_award(ov_favorite_engine::like); });
}

void ovg_controller_abstract::islot_button_dislike_clicked() {
  locked([this] { like_award(ov_favorite_engine::dislike); });
}

void ovg_controller_abstract::islot_volume_changed(int new_volume) {
  locked([&] {
    for (ov_playline* line : lines_) line->set_global_volume(new_volume);
  });
}

void ovg_controller_abstract::islot_next_track_clicked(ov_playlist_item* item) {
  locked([&] {
    if (!item || !item->track()) return;
    if (engine_->is_waiting(ov_favorite_engine::selected)) {
      defer_track_status_changed();
      chosen_next_ = item;
      return;
    }
    ov_track* picked = item->track();
    picked->increment_count_s();
    double sum = 0.0;
    for (ov_playlist_item* other : views_.next_tracks->shown_entries_except(item)) {
      ov_track* t = other ? other->track() : nullptr;
      if (!t) continue;
      t->increment_count_ns();
      const double change = engine_->limit_real(engine_->not_selected_gain(t, picked) * engine_->score_multiplier());
      if (const int whole = ov_trunc(change); whole != 0) {
        views_.next_tracks->run_point_effect(other, whole);
        t->add_score(whole);
        save_track(t);
      }
      sum += change;
    }
    const int total = ov_trunc(-sum);
    if (total == 0) return;
    const int points = engine_->limit(total, true);
    credit_points(picked, ov_favorite_engine::selected, points);
    views_.next_tracks->run_point_effect(item, points);
    defer_track_status_changed();
    chosen_next_ = item;
  });
}

void ovg_controller_abstract::islot_next_track_double_clicked(ov_playlist_item* item) {
  locked([&] {
    if (item && item == chosen_next_) p_go_next();
  });
}

void ovg_controller_abstract::islot_next_tracks_size_changed() {
  locked([this] { refresh_nexts(); });
}

void ovg_controller_abstract::islot_play_type_changed() {
  locked([this] {
    const int t = play_type();
    views_.next_tracks->set_enabled(t == ov_track_pool::play_shuffle || t == ov_track_pool::play_shuffle_repeat ||
                                    t == ov_track_pool::play_random);
  });
}

void ovg_controller_abstract::islot_track_removed(ov_playlist_item* item_removed) {
  locked([&] {
    if (item_removed && item_removed == chosen_next_) {
      chosen_next_ = nullptr;
      refresh_nexts();
    } else if (views_.next_tracks->contains(item_removed)) {
      refresh_nexts();
    }
  });
}

void ovg_controller_abstract::islot_play_new(ov_playlist* playlist, int index) {
  locked([&] { p_play_new(playlist, index); });
}

void ovg_controller_abstract::islot_toggle_play_pause() {
  locked([this] {
    if (state_ == idle)
      defer([this] { emit esignal_play_clicked_on_no_selected(); });
    else
      p_toggle_play_pause();
  });
}

void ovg_controller_abstract::islot_pause() {
  locked([this] { p_pause(); });
}
void ovg_controller_abstract::islot_stop() {
  locked([this] { p_stop(); });
}
void ovg_controller_abstract::islot_go_next() {
  locked([this] { p_go_next(); });
}
void ovg_controller_abstract::islot_go_previous() {
  locked([this] { p_go_previous(); });
}
void ovg_controller_abstract::islot_update_time_position() {
  locked([this] { p_update_time_position(); });
}

void ovg_controller_abstract::islot_position_changed(int new_position) {
  locked([&] {
    p_position_changed(new_position);
    seeked_ = true;
  });
}

// With the current item gone (or its whole playlist) no candidate on the
// Nexts panel may be picked any more: they can belong to a playlist that is
// being deleted.
void ovg_controller_abstract::islot_current_item_removed() {
  locked([this] {
    p_current_item_removed();
    forget_chosen_next();
    views_.next_tracks->set_entries({});
  });
}

// --- steps ---

void ovg_controller_abstract::set_state(state_type s) {
  const state_type old = state_;
  state_ = s;
  views_.playback->set_state(shown_state(s));
  if (s != old) defer([this] { emit esignal_state_changed(); });
  if (s == playing) {
    position_timer_->start();
    defer([this] { emit esignal_state_changed_to_playing(); });
  } else {
    position_timer_->stop();
  }
}

void ovg_controller_abstract::start_position_timer() {
  if (state_ == playing) position_timer_->start();
}

void ovg_controller_abstract::stop_position_timer() {
  position_timer_->stop();
}

void ovg_controller_abstract::set_playlist(ov_playlist* playlist) {
  if (playlist_) disconnect(playlist_, nullptr, this, nullptr);
  playlist_ = playlist;
  pool_->set_playlist(playlist);
  if (playlist)
    connect(playlist, &ov_playlist::esignal_track_removed, this, &ovg_controller_abstract::islot_track_removed);
}

void ovg_controller_abstract::refresh_nexts() {
  const int n = views_.next_tracks->number_of_boxes();
  views_.next_tracks->set_entries(play_type() == ov_track_pool::play_random ? pool_->candidates_random(n)
                                                                            : pool_->candidates_shuffle(n));
}

int ovg_controller_abstract::play_type() const {
  return views_.play_control->play_type();
}

bool ovg_controller_abstract::is_repeat_type() const {
  const int t = play_type();
  return t == ov_track_pool::play_normal_repeat || t == ov_track_pool::play_shuffle_repeat ||
         t == ov_track_pool::play_repeat_track;
}

bool ovg_controller_abstract::is_at_end() const {
  switch (play_type()) {
    case ov_track_pool::play_shuffle:
    case ov_track_pool::play_shuffle_repeat:
      return pool_->is_at_shuffle_end();
    case ov_track_pool::play_random:
      return false;
    default:
      return pool_->is_last_in_order();
  }
}

bool ovg_controller_abstract::is_at_start() const {
  switch (play_type()) {
    case ov_track_pool::play_shuffle:
    case ov_track_pool::play_shuffle_repeat:
      return pool_->is_first_in_history();
    case ov_track_pool::play_random:
      return false;
    default:
      return pool_->is_first_in_order();
  }
}

void ovg_controller_abstract::run_go_next_selection() {
  pool_->set_selection_type(views_.play_control->selection_type());
  ov_playlist_item* next = nullptr;
  switch (play_type()) {
    case ov_track_pool::play_shuffle:
    case ov_track_pool::play_shuffle_repeat:
    case ov_track_pool::play_random:
      if (chosen_next_) {
        pool_->choose(chosen_next_);
        next = chosen_next_;
      } else {
        next = play_type() == ov_track_pool::play_random ? pool_->next_random() : pool_->next_shuffle();
      }
      break;
    case ov_track_pool::play_repeat_track:
      next = m_selected_item;
      break;
    default:
      next = pool_->next_in_order();
      break;
  }
  chosen_next_ = nullptr;
  p_select_track(next);
}

void ovg_controller_abstract::run_go_previous_selection() {
  pool_->set_selection_type(views_.play_control->selection_type());
  switch (play_type()) {
    case ov_track_pool::play_shuffle:
    case ov_track_pool::play_shuffle_repeat:
      p_select_track(pool_->previous_shuffle());
      break;
    case ov_track_pool::play_random:
      p_select_track(pool_->next_random());
      break;
    default:
      p_select_track(pool_->previous_in_order());
      break;
  }
}

ov_playlist_item* ovg_controller_abstract::begin_play_new(ov_playlist* playlist, int row) {
  chosen_next_ = nullptr;
  set_playlist(playlist);
  pool_->start_at(row);
  refresh_nexts();
  ov_playlist_item* item = playlist->item_at(row);
  if (!item || !item->track()) return nullptr;
  award_activity(item->track(), ov_favorite_engine::play_new, playlist, row);
  return item;
}

int ovg_controller_abstract::award_activity(ov_track* track, int kind, ov_playlist* playlist, int row) {
  count_activity(track, kind);
  if (engine_->is_waiting(kind)) return 0;
  if (kind == ov_favorite_engine::play_new && (!playlist || row == -1)) return 0;
  int gain = engine_->gain(kind);
  if (kind == ov_favorite_engine::play_new || kind == ov_favorite_engine::selected) gain *= engine_->score_multiplier();
  const int points = engine_->limit(gain, false);
  if (points == 0) return 0;
  credit_points(track, kind, points);
  if (kind == ov_favorite_engine::play_new)
    defer([this, p = QPointer<ov_playlist>(playlist), row, points] {
      emit esignal_point_incremented_on_play_new(p, row, points);
    });
  return points;
}

void ovg_controller_abstract::credit_points(ov_track* track, int kind, int points) {
  if (points == 0) return;
  track->add_score(points);
  save_track(track);
  spread(track, track->album_group() ? &track->album_group()->tracks : nullptr, engine_->spread_rate_album(),
         engine_->spread_count_album(), points);
  spread(track, track->artist_group() ? &track->artist_group()->tracks : nullptr, engine_->spread_rate_artist(),
         engine_->spread_count_artist(), points);
  engine_->add_experience(points);
  engine_->use_kind(kind);
  if (kind != ov_favorite_engine::like && kind != ov_favorite_engine::dislike &&
      kind != ov_favorite_engine::play_through)
    engine_->roll_multiplier(points);
}

// Adds rate x points to count members drawn at random (one may be drawn twice).
void ovg_controller_abstract::spread(ov_track*, const QList<ov_track*>* members, double rate, int count, int points) {
  const int share = ov_trunc(rate * points);
  if (!members || members->isEmpty() || share < 1 || count < 1) return;
  for (int i = 0; i < count; ++i) {
    ov_track* member = members->at(random_between(0, int(members->size()) - 1));
    member->add_score(share);
    save_track(member);
  }
}

void ovg_controller_abstract::like_award(int kind) {
  ov_track* track = m_selected_item ? m_selected_item->track() : nullptr;
  if (!track) return;
  count_activity(track, kind);
  if (!engine_->is_waiting(kind)) {
    const int points = engine_->limit(engine_->gain(kind), false);
    if (points != 0) {
      credit_points(track, kind, points);
      views_.track_info->run_point_effect(points);
      views_.track_info->update_rank(track);
    }
  }
  defer_track_status_changed();
}

void ovg_controller_abstract::play_through_tick() {
  const qint64 now = clock_();
  ov_track* track = m_selected_item ? m_selected_item->track() : nullptr;
  if (now != last_second_) {
    ++listening_seconds_;
    last_second_ = now;
    if (track) track->increment_played();
    defer_track_status_changed();
    ov_log_write(ov_log::DEBUG, log_tag, QStringLiteral("current_sec= ") + QString::number(listening_seconds_));
  }
  const int period = engine_->play_through_seconds();
  if (period <= 0 || listening_seconds_ < period) return;
  if (track) {
    track->increment_count_t();
    if (!engine_->is_waiting(ov_favorite_engine::play_through)) {
      const int points = engine_->limit(engine_->gain(ov_favorite_engine::play_through), false);
      credit_points(track, ov_favorite_engine::play_through, points);
      if (points != 0) views_.track_info->run_point_effect(points);
      defer_track_status_changed();
    }
  }
  listening_seconds_ = 0;
}

void ovg_controller_abstract::reset_listening_count() {
  listening_seconds_ = 0;
  seeked_ = false;
  last_second_ = clock_();
}

void ovg_controller_abstract::save_track(ov_track* track) {
  if (track && library_) library_->write_score(track);
}

void ovg_controller_abstract::drop_stale_reports(ov_playline* line) {
  QCoreApplication::removePostedEvents(line->playback(), QEvent::MetaCall);
}
