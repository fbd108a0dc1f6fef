#pragma once

#include <memory>

class ov_track;

// One entry of a playlist: a numbered, non-owning reference to a library
// track plus the display state the controllers set on it. Entries are made
// and destroyed only by their playlist.
class ov_playlist_item {
public:
  enum status_value : int { ordinary = 1, playing = 2, marked_equal = 3, marked_minus = 4 };

  bool is_valid() const { return valid_; }
  int id() const { return id_; }
  int number() const { return number_; }
  ov_track* track() const { return track_; }
  int status() const { return status_; }

  void set_status(int status) { status_ = status; }

  ov_playlist_item(const ov_playlist_item&) = delete;
  ov_playlist_item& operator=(const ov_playlist_item&) = delete;

private:
  friend class ov_playlist;
  friend struct std::default_delete<ov_playlist_item>;

  ov_playlist_item(int id, ov_track* track, int number)
      : valid_(track != nullptr), id_(id), number_(number), track_(track) {}
  ~ov_playlist_item() = default;
  void set_number(int number) { number_ = number; }

  bool valid_;
  int id_;
  int number_;
  ov_track* track_;
  int status_ = ordinary;
};
