#include "ov_track_pool.h"

#include "ov_playlist.h"
#include "ov_track_pool_remaining_queue.h"

namespace {

const char* const play_type_texts[] = {"normal",         "normal_repeat", "shuffle",
                                       "shuffle_repeat", "random",        "repeat_track"};
const char* const selection_type_texts[] = {"high_scored", "middle_scored", "low_scored", "random"};

template <size_t N>
QString text_of(const char* const (&texts)[N], int value) {
  return value >= 1 && value <= int(N) ? QString::fromLatin1(texts[value - 1]) : QString();
}

template <size_t N>
int value_of(const char* const (&texts)[N], const QString& text) {
  for (size_t i = 0; i < N; ++i)
    if (text == QLatin1String(texts[i])) return int(i) + 1;
  return 0;
}

}  // namespace

QString ov_track_pool::play_type_text(int value) {
  return text_of(play_type_texts, value);
}
int ov_track_pool::play_type_from_text(const QString& text) {
  return value_of(play_type_texts, text);
}
QString ov_track_pool::selection_type_text(int value) {
  return text_of(selection_type_texts, value);
}
int ov_track_pool::selection_type_from_text(const QString& text) {
  return value_of(selection_type_texts, text);
}

ov_track_pool::ov_track_pool(QObject* parent)
    : QObject(parent),
      remaining_(std::make_unique<ov_track_pool_remaining_queue>()),
      whole_(std::make_unique<ov_track_pool_remaining_queue>()) {}

ov_track_pool::~ov_track_pool() = default;

void ov_track_pool::set_playlist(ov_playlist* playlist) {
  if (!playlist) return;
  if (playlist_) disconnect(playlist_, nullptr, this, nullptr);
  playlist_ = playlist;
  reset();
  connect(playlist, &ov_playlist::esignal_track_added, this, &ov_track_pool::islot_track_added);
  connect(playlist, &ov_playlist::esignal_track_removed, this, &ov_track_pool::islot_track_removed);
  connect(playlist, &ov_playlist::esignal_marked_as_deleted, this, &ov_track_pool::islot_playlist_removed);
  // A playlist destroyed without being removed first (at exit) has already
  // freed its entries: forget them without touching them.
  connect(playlist, &QObject::destroyed, this, [this] {
    current_ = nullptr;
    history_.clear();
    playlist_ = nullptr;
    rebuild_queues();
  });
}

void ov_track_pool::rebuild_queues() {
  const QList<ov_playlist_item*> items = playlist_ ? playlist_->items() : QList<ov_playlist_item*>();
  // Both queues start with the same entries: file them once, share the lists.
  remaining_ = std::make_unique<ov_track_pool_remaining_queue>(items);
  whole_ = std::make_unique<ov_track_pool_remaining_queue>();
  whole_->assign_entries(*remaining_);
  remaining_->set_selection_type(selection_type_);
  whole_->set_selection_type(selection_type_);
}

void ov_track_pool::reset() {
  leave_current();
  current_ = nullptr;
  history_.clear();
  rebuild_queues();
}

void ov_track_pool::start_at(int row) {
  reset();
  ov_playlist_item* item = playlist_ ? playlist_->item_at(row) : nullptr;
  if (!item) return;
  make_current(item);
  history_.append(item);
  remaining_->remove(item);
}

void ov_track_pool::set_selection_type(int value) {
  selection_type_ = value;
  remaining_->set_selection_type(value);
  whole_->set_selection_type(value);
}

void ov_track_pool::set_current_marked(bool marked) {
  if (current_) current_->set_status(marked ? ov_playlist_item::playing : ov_playlist_item::ordinary);
}

void ov_track_pool::leave_current() {
  if (current_) current_->set_status(ov_playlist_item::ordinary);
}

void ov_track_pool::make_current(ov_playlist_item* item) {
  current_ = item;
  if (current_) current_->set_status(ov_playlist_item::playing);
}

ov_playlist_item* ov_track_pool::ordered_step(bool forward) {
  leave_current();
  if (!playlist_ || playlist_->count() == 0) {
    current_ = nullptr;
  } else if (!current_) {
    make_current(forward ? playlist_->item_at(0) : playlist_->item_at(playlist_->count() - 1));
  } else {
    const int row = playlist_->index_of(current_);
    make_current(row < 0 ? nullptr : playlist_->item_at(forward ? row + 1 : row - 1));
  }
  return current_;
}

ov_playlist_item* ov_track_pool::next_in_order() {
  return ordered_step(true);
}
ov_playlist_item* ov_track_pool::previous_in_order() {
  return ordered_step(false);
}

ov_playlist_item* ov_track_pool::shuffle_step(bool forward) {
  leave_current();
  if (forward && is_at_shuffle_end()) {
    current_ = nullptr;
    return nullptr;
  }
  const int i = current_ ? int(history_.indexOf(current_)) : -1;
  const int j = forward ? i + 1 : i - 1;
  if (i >= 0 && j >= 0 && j < history_.size()) {
    make_current(history_.at(j));
    return current_;
  }
  ov_playlist_item* drawn = remaining_->take_weighted();
  // An empty queue leaves the current entry in place and gives nothing.
  if (!drawn) return nullptr;
  history_.append(drawn);
  make_current(drawn);
  return current_;
}

ov_playlist_item* ov_track_pool::next_shuffle() {
  return shuffle_step(true);
}
ov_playlist_item* ov_track_pool::previous_shuffle() {
  return shuffle_step(false);
}

ov_playlist_item* ov_track_pool::next_random() {
  leave_current();
  make_current(whole_->pick_weighted());
  return current_;
}

void ov_track_pool::choose(ov_playlist_item* chosen) {
  if (!current_ || !chosen) return;
  leave_current();
  if (chosen == current_) {
    make_current(chosen);
    return;
  }
  if (!history_.isEmpty() && history_.last() == current_) {
    history_.append(chosen);
    remaining_->remove(chosen);
    make_current(chosen);
    return;
  }
  const int i = int(history_.indexOf(current_));
  if (i + 1 >= history_.size()) return;
  if (history_.at(i + 1) == chosen) {
    make_current(chosen);
    return;
  }
  // The chosen entry takes the place right after the current one; the entry
  // it replaces goes back to the remaining queue. The place is found again
  // after dropping the chosen entry, in case it stood before it.
  history_.removeAll(chosen);
  const int target = i < 0 ? 0 : int(history_.indexOf(current_)) + 1;
  if (target < history_.size()) {
    ov_playlist_item* replaced = history_.at(target);
    history_[target] = chosen;
    remaining_->remove(chosen);
    remaining_->add(replaced);
  } else {
    history_.append(chosen);
    remaining_->remove(chosen);
  }
  make_current(chosen);
}

QList<ov_playlist_item*> ov_track_pool::candidates_shuffle(int n) const {
  const int i = current_ ? int(history_.indexOf(current_)) : -1;
  const QList<ov_playlist_item*> extra = i < 0 ? history_ : history_.mid(i + 1);
  return remaining_->draw_candidates(n, extra);
}

QList<ov_playlist_item*> ov_track_pool::candidates_random(int n) const {
  return whole_->draw_candidates(n, {});
}

bool ov_track_pool::is_last_in_order() const {
  return current_ && playlist_ && playlist_->count() > 0 && playlist_->item_at(playlist_->count() - 1) == current_;
}

bool ov_track_pool::is_first_in_order() const {
  return current_ && playlist_ && playlist_->count() > 0 && playlist_->item_at(0) == current_;
}

bool ov_track_pool::is_first_in_history() const {
  return current_ && !history_.isEmpty() && history_.first() == current_;
}

bool ov_track_pool::is_at_shuffle_end() const {
  return current_ && remaining_->is_empty() && !history_.isEmpty() && history_.last() == current_;
}

void ov_track_pool::islot_track_added(ov_playlist_item* item) {
  if (!item) return;
  remaining_->add(item);
  whole_->add(item);
}

void ov_track_pool::islot_track_removed(ov_playlist_item* item) {
  if (!item) return;
  if (item == current_) {
    leave_current();
    current_ = nullptr;
    emit esignal_current_track_removed();
  }
  history_.removeAll(item);
  remaining_->remove(item);
  whole_->remove(item);
}

void ov_track_pool::islot_playlist_removed(ov_playlist* playlist) {
  if (!playlist || playlist != playlist_) return;
  leave_current();
  current_ = nullptr;
  // The playlist's entries go away with it: nothing of it may be handed out
  // later, so the history and both queues are emptied and the pool detaches.
  disconnect(playlist, nullptr, this, nullptr);
  playlist_ = nullptr;
  history_.clear();
  rebuild_queues();
  emit esignal_current_track_removed();
}
