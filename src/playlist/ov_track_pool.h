#pragma once

#include "ov_play_types.h"
#include "ov_playlist.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class ov_playlist_item;
class ov_track_pool_remaining_queue;

// Decides which entry of the active playlist plays next: in order, by the
// shuffle history with its rank-weighted draw, or at random from the whole
// playlist, and draws the candidates offered as the next tracks.
class ov_track_pool : public QObject {
  Q_OBJECT

public:
  // The pool's steps follow these; the enumerators are the pool's own names too.
  using play_type = ov_play::play_type;
  using selection_type = ov_play::selection_type;
  using enum ov_play::play_type;
  using enum ov_play::selection_type;

  // Setting texts; unknown values give an empty text, unknown texts 0.
  static QString play_type_text(int value);
  static int play_type_from_text(const QString& text);
  static QString selection_type_text(int value);
  static int selection_type_from_text(const QString& text);

  explicit ov_track_pool(QObject* parent = nullptr);
  ~ov_track_pool() override;

  void set_playlist(ov_playlist* playlist);
  ov_playlist* playlist() const { return playlist_; }
  void reset();
  void start_at(int row);
  void set_selection_type(int value);
  // Gives the current entry the playing mark (status 2) or takes it away
  // (status 1) without changing which entry is current. The pool is the
  // one writer of the marks of its playlist's entries.
  void set_current_marked(bool marked);

  ov_playlist_item* next_in_order();
  ov_playlist_item* previous_in_order();
  ov_playlist_item* next_shuffle();
  ov_playlist_item* previous_shuffle();
  ov_playlist_item* next_random();
  void choose(ov_playlist_item* chosen);

  QList<ov_playlist_item*> candidates_shuffle(int n) const;
  QList<ov_playlist_item*> candidates_random(int n) const;

  bool is_last_in_order() const;
  bool is_first_in_order() const;
  bool is_first_in_history() const;
  bool is_at_shuffle_end() const;

  ov_playlist_item* current() const { return current_; }
  const QList<ov_playlist_item*>& history() const { return history_; }
  const ov_track_pool_remaining_queue* remaining_queue() const { return remaining_.get(); }
  const ov_track_pool_remaining_queue* whole_queue() const { return whole_.get(); }

signals:
  void esignal_current_track_removed();

public slots:
  void islot_track_added(ov_playlist_item* item);
  void islot_track_removed(ov_playlist_item* item);
  void islot_playlist_removed(ov_playlist* playlist);

private:
  void rebuild_queues();
  void leave_current();
  void make_current(ov_playlist_item* item);
  ov_playlist_item* ordered_step(bool forward);
  ov_playlist_item* shuffle_step(bool forward);

  QPointer<ov_playlist> playlist_;
  ov_playlist_item* current_ = nullptr;
  QList<ov_playlist_item*> history_;
  std::unique_ptr<ov_track_pool_remaining_queue> remaining_;
  std::unique_ptr<ov_track_pool_remaining_queue> whole_;
  int selection_type_ = select_random;
};
