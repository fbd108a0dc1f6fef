#include "ov_track_pool_remaining_queue.h"

#include "ov_playlist.h"
#include "ov_track_pool.h"

#include "ov_playlist_item.h"
#include "ov_random.h"
#include "ov_rank_table.h"
#include "ov_track.h"

#include <algorithm>
#include <climits>
#include <vector>

ov_track_pool_remaining_queue::ov_track_pool_remaining_queue(const QList<ov_playlist_item*>& items, QObject* parent)
    : QObject(parent) {
  for (ov_playlist_item* item : items) add(item);
}

int ov_track_pool_remaining_queue::rank_of(const ov_playlist_item* item) {
  if (!item || !item->track()) return 0;
  const int rank = ov_rank_table::instance().index_of(item->track()->score());
  return rank >= 0 && rank < rank_count ? rank : 0;
}

int ov_track_pool_remaining_queue::weight_factor(int selection_type, int rank) {
  switch (selection_type) {
    case ov_track_pool::select_high_scored:
      return rank + 1;
    case ov_track_pool::select_middle_scored:
      return 15 - ((rank + 1) % 8);
    case ov_track_pool::select_low_scored:
      return 15 - rank;
    default:
      return 1;
  }
}

void ov_track_pool_remaining_queue::assign_entries(const ov_track_pool_remaining_queue& other) {
  buckets_ = other.buckets_;
  size_ = other.size_;
}

void ov_track_pool_remaining_queue::add(ov_playlist_item* item) {
  if (!item || !item->track()) return;
  buckets_[size_t(rank_of(item))].append(item);
  ++size_;
}

void ov_track_pool_remaining_queue::remove(const ov_playlist_item* item) {
  if (!item || size_ == 0) return;
  for (auto& bucket : buckets_) size_ -= int(bucket.removeAll(const_cast<ov_playlist_item*>(item)));
}

bool ov_track_pool_remaining_queue::contains(const ov_playlist_item* item) const {
  for (const auto& bucket : buckets_)
    if (bucket.contains(const_cast<ov_playlist_item*>(item))) return true;
  return false;
}

ov_playlist_item* ov_track_pool_remaining_queue::pick_weighted() const {
  if (size_ == 0) return nullptr;
  std::array<qint64, rank_count> cumulative{};
  qint64 total = 0;
  for (int k = 0; k < rank_count; ++k) {
    total += qint64(buckets_[size_t(k)].size()) * weight_factor(selection_type_, k);
    cumulative[size_t(k)] = total;
  }
  if (total <= 0) return nullptr;
  const qint64 r = random_between(1, int(std::min<qint64>(total, INT_MAX)));
  for (int k = 0; k < rank_count; ++k) {
    if (cumulative[size_t(k)] < r) continue;
    const QList<ov_playlist_item*>& bucket = buckets_[size_t(k)];
    return bucket.at(random_between(0, int(bucket.size()) - 1));
  }
  return nullptr;
}

ov_playlist_item* ov_track_pool_remaining_queue::take_weighted() {
  ov_playlist_item* item = pick_weighted();
  if (item) remove(item);
  return item;
}

QList<ov_playlist_item*> ov_track_pool_remaining_queue::draw_candidates(int n,
                                                                        const QList<ov_playlist_item*>& extra) const {
  // The working list (extra, then the buckets in rank order) is never built:
  // the removed positions are kept sorted, and the k-th remaining position
  // is found by stepping over them. The result equals drawing from and
  // removing out of the materialised list.
  QList<ov_playlist_item*> result;
  const qint64 whole = extra.size() + size_;
  std::vector<qint64> taken;
  for (int i = 0; i < n && qint64(taken.size()) < whole; ++i) {
    qint64 pos = random_between(0, int(whole - qint64(taken.size()) - 1));
    auto it = taken.begin();
    for (; it != taken.end() && *it <= pos; ++it) ++pos;
    taken.insert(it, pos);
    if (pos < extra.size()) {
      result.append(extra.at(pos));
      continue;
    }
    pos -= extra.size();
    for (const auto& bucket : buckets_) {
      if (pos < bucket.size()) {
        result.append(bucket.at(pos));
        break;
      }
      pos -= bucket.size();
    }
  }
  return result;
}
