#include "ovg_controller_abstract.h"

#include "ov_favorite_engine.h"
#include "ov_log.h"
#include "ov_playback_normal.h"
#include "ov_playline.h"
#include "ov_playlist.h"
#include "ov_track.h"
#include "ov_track_pool.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QTimer>

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

}  // namespace

ovg_controller_abstract::ovg_controller_abstract(const ovg_controller_views& views, ov_library* library,
                                                 ov_favorite_engine* engine, QObject* parent)
    : QObject(parent),
      views_(views),
      engine_(engine),
      pool_(std::make_unique<ov_track_pool>()),
      position_timer_(new QTimer(this)),
      awards_(library, engine),
      clock_([] { return QDateTime::currentSecsSinceEpoch(); }) {
  position_timer_->setInterval(position_interval_ms);
  connect(position_timer_, &QTimer::timeout, this, &ovg_controller_abstract::islot_update_time_position);
  connect(pool_.get(), &ov_track_pool::esignal_current_track_removed, this,
          &ovg_controller_abstract::islot_current_item_removed);
  islot_play_type_changed();
}

ovg_controller_abstract::~ovg_controller_abstract() = default;

void ovg_controller_abstract::set_history(ov_listening_history* history) {
  history_ = history;
  awards_.set_history(history, [this] { return clock_(); });
}

bool ovg_controller_abstract::is_position_timer_active() const {
  return position_timer_->isActive();
}

void ovg_controller_abstract::guarded(const std::function<void()>& work) {
  Q_ASSERT_X(!busy_, "ovg_controller_abstract", "a slot was called while another one was at work");
  if (busy_) {
    ov_log_write(ov_log::WARNING, log_tag, QStringLiteral("dropped a command that arrived while another one ran"));
    return;
  }
  busy_ = true;
  work();
  busy_ = false;
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
  guarded([this] { defer([this, p = playlist_, i = m_selected_item] { emit esignal_title_clicked(p, i); }); });
}

void ovg_controller_abstract::islot_button_like_clicked() {
  guarded([this] { like_award(ov_favorite_engine::like); });
}

void ovg_controller_abstract::islot_button_dislike_clicked() {
  guarded([this] { like_award(ov_favorite_engine::dislike); });
}

void ovg_controller_abstract::islot_volume_changed(int new_volume) {
  guarded([&] {
    for (ov_playline* line : lines_) line->set_global_volume(new_volume);
  });
}

void ovg_controller_abstract::islot_next_track_clicked(ov_playlist_item* item) {
  guarded([&] {
    if (!item || !item->track()) return;
    if (engine_->is_waiting(ov_favorite_engine::selected)) {
      defer_track_status_changed();
      chosen_next_ = item;
      return;
    }
    QList<ov_playlist_item*> others;
    QList<ov_track*> tracks;
    for (ov_playlist_item* other : views_.next_tracks->shown_entries_except(item))
      if (other && other->track()) {
        others << other;
        tracks << other->track();
      }
    const ov_activity_awards::selection result = awards_.select(item->track(), tracks);
    for (qsizetype i = 0; i < others.size(); ++i)
      if (result.losses.at(i) != 0) views_.next_tracks->run_point_effect(others.at(i), result.losses.at(i));
    if (result.points == 0) return;
    views_.next_tracks->run_point_effect(item, result.points);
    defer_track_status_changed();
    chosen_next_ = item;
  });
}

void ovg_controller_abstract::islot_next_track_double_clicked(ov_playlist_item* item) {
  guarded([&] {
    if (item && item == chosen_next_) p_go_next();
  });
}

void ovg_controller_abstract::islot_next_tracks_size_changed() {
  guarded([this] { refresh_nexts(); });
}

void ovg_controller_abstract::islot_play_type_changed() {
  guarded([this] {
    const ov_play::play_type t = play_type();
    views_.next_tracks->set_enabled(t == ov_play::play_shuffle || t == ov_play::play_shuffle_repeat ||
                                    t == ov_play::play_random);
  });
}

void ovg_controller_abstract::islot_track_removed(ov_playlist_item* item_removed) {
  guarded([&] {
    if (item_removed && item_removed == chosen_next_) {
      chosen_next_ = nullptr;
      refresh_nexts();
    } else if (views_.next_tracks->contains(item_removed)) {
      refresh_nexts();
    }
  });
}

void ovg_controller_abstract::islot_play_new(ov_playlist* playlist, int index) {
  guarded([&] { p_play_new(playlist, index); });
}

void ovg_controller_abstract::islot_toggle_play_pause() {
  guarded([this] {
    if (state_ == idle || !m_selected_item)
      defer([this] { emit esignal_play_clicked_on_no_selected(); });
    else
      p_toggle_play_pause();
  });
}

void ovg_controller_abstract::islot_pause() {
  guarded([this] { p_pause(); });
}
void ovg_controller_abstract::islot_stop() {
  guarded([this] { p_stop(); });
}
void ovg_controller_abstract::islot_stop_for_other(const ov_playlist_item* other_entry) {
  guarded([&] {
    if (state_ == idle) return;
    p_stop();
    if (pool_->current() != other_entry) pool_->set_current_marked(false);
    defer_track_status_changed();
  });
}

void ovg_controller_abstract::islot_go_next() {
  guarded([this] { p_go_next(); });
}
void ovg_controller_abstract::islot_go_previous() {
  guarded([this] { p_go_previous(); });
}
void ovg_controller_abstract::islot_update_time_position() {
  guarded([this] { p_update_time_position(); });
}

void ovg_controller_abstract::islot_position_changed(int new_position) {
  guarded([&] { p_position_changed(new_position); });
}

// With the current item gone (or its whole playlist) no candidate on the
// Nexts panel may be picked any more: they can belong to a playlist that is
// being deleted.
void ovg_controller_abstract::islot_current_item_removed() {
  guarded([this] {
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
    pool_->set_current_marked(true);
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
  views_.next_tracks->set_entries(play_type() == ov_play::play_random ? pool_->candidates_random(n)
                                                                      : pool_->candidates_shuffle(n));
}

ov_play::play_type ovg_controller_abstract::play_type() const {
  return views_.play_control->play_type();
}

bool ovg_controller_abstract::is_repeat_type() const {
  const ov_play::play_type t = play_type();
  return t == ov_play::play_normal_repeat || t == ov_play::play_shuffle_repeat || t == ov_play::play_repeat_track;
}

bool ovg_controller_abstract::is_at_end() const {
  switch (play_type()) {
    case ov_play::play_shuffle:
    case ov_play::play_shuffle_repeat:
      return pool_->is_at_shuffle_end();
    case ov_play::play_random:
      return false;
    default:
      return pool_->is_last_in_order();
  }
}

bool ovg_controller_abstract::is_at_start() const {
  switch (play_type()) {
    case ov_play::play_shuffle:
    case ov_play::play_shuffle_repeat:
      return pool_->is_first_in_history();
    case ov_play::play_random:
      return false;
    default:
      return pool_->is_first_in_order();
  }
}

void ovg_controller_abstract::run_go_next_selection() {
  pool_->set_selection_type(views_.play_control->selection_type());
  ov_playlist_item* next = nullptr;
  switch (play_type()) {
    case ov_play::play_shuffle:
    case ov_play::play_shuffle_repeat:
    case ov_play::play_random:
      if (chosen_next_) {
        pool_->choose(chosen_next_);
        next = chosen_next_;
      } else {
        next = play_type() == ov_play::play_random ? pool_->next_random() : pool_->next_shuffle();
      }
      break;
    case ov_play::play_repeat_track:
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
    case ov_play::play_shuffle:
    case ov_play::play_shuffle_repeat:
      p_select_track(pool_->previous_shuffle());
      break;
    case ov_play::play_random:
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
  award_play_new(item->track(), playlist, row);
  return item;
}

void ovg_controller_abstract::award_play_new(ov_track* track, ov_playlist* playlist, int row) {
  const int points = awards_.award(track, ov_favorite_engine::play_new, playlist && row != -1);
  if (points != 0)
    defer([this, p = QPointer<ov_playlist>(playlist), row, points] {
      emit esignal_point_incremented_on_play_new(p, row, points);
    });
}

void ovg_controller_abstract::like_award(ov_favorite_engine::kind kind) {
  ov_track* track = m_selected_item ? m_selected_item->track() : nullptr;
  if (!track) return;
  if (const int points = awards_.award(track, kind); points != 0) {
    views_.track_info->run_point_effect(points);
    views_.track_info->update_rank(track);
  }
  defer_track_status_changed();
}

void ovg_controller_abstract::play_through_tick() {
  const qint64 now = clock_();
  ov_track* track = m_selected_item ? m_selected_item->track() : nullptr;
  if (now != last_second_) {
    ++listening_seconds_;
    last_second_ = now;
    if (track) {
      track->increment_played();
      record_play_second(track, now);
    }
    defer_track_status_changed();
    ov_log_write(ov_log::DEBUG, log_tag, QStringLiteral("current_sec= ") + QString::number(listening_seconds_));
  }
  const int period = engine_->play_through_seconds();
  if (period <= 0 || listening_seconds_ < period) return;
  if (track) {
    const bool waiting = engine_->is_waiting(ov_favorite_engine::play_through);
    if (const int points = awards_.award(track, ov_favorite_engine::play_through); points != 0)
      views_.track_info->run_point_effect(points);
    if (!waiting) defer_track_status_changed();
  }
  listening_seconds_ = 0;
}

// A play starts with its first counted second, which began a second before.
void ovg_controller_abstract::record_play_second(const ov_track* track, qint64 now) {
  if (play_seconds_++ == 0) play_started_ = now - 1;
  if (history_) history_->record_play(play_started_, track->id(), play_seconds_, history_mode());
}

void ovg_controller_abstract::reset_listening_count() {
  listening_seconds_ = 0;
  play_seconds_ = 0;
  last_second_ = clock_();
}

void ovg_controller_abstract::drop_stale_reports(ov_playline* line) {
  QCoreApplication::removePostedEvents(line->playback(), QEvent::MetaCall);
}
