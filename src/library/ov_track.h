#pragma once

#include "ov_tag_data.h"

#include <array>

struct ov_track_group;

// One library entry: id, score, listening counters and tags. Owned by the
// library store; everything else holds non-owning pointers.
class ov_track {
public:
  static constexpr int max_score = 99999999;

  ov_track(int id, int timestamp_added, ov_tag_data tags)
      : id_(id), timestamp_added_(timestamp_added), tags_(std::move(tags)) {}

  int id() const { return id_; }
  int score() const;  // clamped to 0..max_score
  int played() const { return played_; }
  int count_n() const { return count_n_; }
  int count_s() const { return count_s_; }
  int count_ns() const { return count_ns_; }
  int count_l() const { return count_l_; }
  int count_dl() const { return count_dl_; }
  int count_t() const { return count_t_; }
  int timestamp_added() const { return timestamp_added_; }
  const ov_tag_data& tags() const { return tags_; }
  ov_track_group* album_group() const { return album_group_; }
  ov_track_group* artist_group() const { return artist_group_; }
  bool is_dirty() const { return dirty_; }
  bool is_valid() const { return tags_.is_valid(); }
  // The title tag, or the file name without its extension when the tag is
  // empty, so that an untagged file still has a name to show.
  QString display_title() const;

  // score + delta, floored at 0 and capped at max_score; marks dirty.
  void add_score(int delta);
  void increment_played();
  void increment_count_n();
  void increment_count_s();
  void increment_count_ns();
  void increment_count_l();
  void increment_count_dl();
  void increment_count_t();
  void set_dirty(bool dirty) { dirty_ = dirty; }
  void set_album_group(ov_track_group* g) { album_group_ = g; }
  void set_artist_group(ov_track_group* g) { artist_group_ = g; }

  // "score:played:n:s:ns:l:dl:t", the plain text of the stored field.
  QString counters_text() const;
  // Reads that text back; missing or unreadable parts give 0. Not dirty.
  void set_counters_text(const QString& text);
  // The same eight values as numbers, as stored (the score not clamped).
  using counters = std::array<qint32, 8>;
  counters all_counters() const;
  // Sets them as set_counters_text would; not dirty.
  void set_all_counters(const counters& values);

  // A fingerprint of the enciphered text the library row holds for the
  // values above, as loaded or last stored; 0 when not known. Setting the
  // values makes it unknown.
  quint64 stored_fingerprint() const { return stored_fingerprint_; }
  void set_stored_fingerprint(quint64 fingerprint) { stored_fingerprint_ = fingerprint; }

private:
  int id_;
  int score_ = 0;
  int played_ = 0;
  int count_n_ = 0;
  int count_s_ = 0;
  int count_ns_ = 0;
  int count_l_ = 0;
  int count_dl_ = 0;
  int count_t_ = 0;
  int timestamp_added_;
  ov_tag_data tags_;
  ov_track_group* album_group_ = nullptr;
  ov_track_group* artist_group_ = nullptr;
  bool dirty_ = false;
  quint64 stored_fingerprint_ = 0;
};
