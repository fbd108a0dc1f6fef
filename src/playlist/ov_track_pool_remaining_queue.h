#pragma once

#include <QList>
#include <QObject>

#include <array>

class ov_playlist_item;

// Entries of a playlist filed by the rank of their track's score at the time
// they were added, with the rank-weighted draw of the track pool.
class ov_track_pool_remaining_queue : public QObject {
  Q_OBJECT

public:
  static constexpr int rank_count = 15;

  // Files every entry that has a track, in list order.
  explicit ov_track_pool_remaining_queue(const QList<ov_playlist_item*>& items = {}, QObject* parent = nullptr);

  // Rank index (0..14) of the entry's track score; 0 without a track.
  static int rank_of(const ov_playlist_item* item);
  // Factor per entry of a rank under a selection type (1 high, 2 middle,
  // 3 low, anything else random).
  static int weight_factor(int selection_type, int rank);

  // The same buckets as another queue (the lists are shared until changed).
  void assign_entries(const ov_track_pool_remaining_queue& other);

  void add(ov_playlist_item* item);
  // Removes every occurrence of the entry from every bucket.
  void remove(const ov_playlist_item* item);
  bool is_empty() const { return size_ == 0; }
  int size() const { return size_; }
  bool contains(const ov_playlist_item* item) const;
  const QList<ov_playlist_item*>& bucket(int rank) const { return buckets_[size_t(rank)]; }

  void set_selection_type(int value) { selection_type_ = value; }
  int selection_type() const { return selection_type_; }

  // One entry by the rank-weighted draw; null when empty. Not removed.
  ov_playlist_item* pick_weighted() const;
  // pick_weighted, then remove that entry.
  ov_playlist_item* take_weighted();
  // Up to n entries drawn uniformly without repeating a position of the
  // working list made of extra followed by every bucket's entries.
  QList<ov_playlist_item*> draw_candidates(int n, const QList<ov_playlist_item*>& extra) const;

private:
  std::array<QList<ov_playlist_item*>, rank_count> buckets_;
  int size_ = 0;
  int selection_type_ = 4;
};
