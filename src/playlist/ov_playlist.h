#pragma once

#include "ov_playlist_item.h"

#include <QList>
#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class ov_database;
class ov_library;
class ov_playlist_search_index;
class ov_track;

// An ordered list of entries pointing at library tracks. Owns its entries
// (a removed entry lives until the signals announcing its removal have
// returned) and mirrors every change into the playlist_items table at once. Id 0 is
// the library playlist, which holds every track of the library.
class ov_playlist : public QObject {
  Q_OBJECT

public:
  // Columns that sort_by_column understands (the track table's numbering).
  enum sort_column : int {
    column_rank = 1,
    column_title = 2,
    column_number = 3,
    column_album = 4,
    column_artist = 5,
    column_length = 6,
    column_score = 7,
    column_played = 8,
    column_entry_number = 9,
    column_added = 16,
  };

  // Stores the fields and loads the playlist's entries from the items database.
  ov_playlist(ov_library* library, ov_database* items_db, int id, const QString& name, int position,
              QObject* parent = nullptr);
  ~ov_playlist() override;

  // The translated name of the playlist with id 0.
  static QString library_playlist_name();
  static bool is_sortable_column(int column);

  void add_track(ov_track* track);
  void remove_track_at(int row);
  void remove_tracks_of(const ov_track* track);
  // Deletes every stored entry of this playlist; the list in memory stays.
  void remove_all_items();
  void mark_as_deleted();

  void sort_by_column(int column);
  // Row of the next (previous) entry whose title, album or artist contains
  // text, ignoring case; -1 when none. No wrap-around. The first search
  // after a change of the list builds a folded copy of those texts.
  int search_next(const QString& text, int current_row) const;
  int search_previous(const QString& text, int current_row) const;
  // Sets the entry's number to its row and stores it.
  void renew_number(int row);
  // Writes every entry's row as its position, in one transaction.
  void store_positions();
  // Takes the entries at rows out (highest first) and puts them back, in
  // their relative order, at target (lowered by one per taken row above it).
  // The new order counts as a sort, so it is stored at exit. Returns the rows
  // the moved entries now have.
  QList<int> move_rows(QList<int> rows, int target);

  void set_name(const QString& name);

  int count() const { return int(items_.size()); }
  ov_playlist_item* item_at(int row) const;
  ov_track* track_at(int row) const;
  int status_at(int row) const;
  int index_of(const ov_playlist_item* item) const;
  int index_of_track(const ov_track* track) const;
  // The entries in row order.
  QList<ov_playlist_item*> items() const;

  int id() const { return id_; }
  const QString& name() const { return name_; }
  int position() const { return position_; }
  void set_position(int position) { position_ = position; }
  bool is_sorted() const { return sorted_; }
  int highest_number() const { return highest_number_; }
  int last_sort_column() const { return last_sort_column_; }
  bool last_sort_ascending() const { return last_sort_ascending_; }
  ov_library* library() const { return library_; }
  ov_database* items_database() const { return items_db_; }

signals:
  void esignal_name_changed(ov_playlist* playlist);
  void esignal_tracks_added(QList<ov_playlist_item*>* items);
  void esignal_track_added(ov_playlist_item* item);
  void esignal_track_removed(ov_playlist_item* item);
  void esignal_number_of_tracks_changed();
  void esignal_sorted();
  void esignal_marked_as_deleted(ov_playlist* playlist);

private:
  void load();
  bool writable() const;
  void store_new_item(const ov_playlist_item* item, int position);
  int position_for_new_item();
  void delete_stored_item(const ov_playlist_item* item);
  // Takes the entry at row out of the list, the store and the search index.
  std::unique_ptr<ov_playlist_item> take_at(int row);
  ov_playlist_search_index& search_index() const;

  ov_library* library_;
  int id_;
  QString name_;
  ov_database* items_db_;
  int position_;
  int highest_number_ = 0;
  std::vector<std::unique_ptr<ov_playlist_item>> items_;  // in row order
  int last_sort_column_ = -1;
  bool last_sort_ascending_ = false;
  bool sorted_ = false;
  // Stored position for the next added entry; -1 until first needed.
  int next_stored_position_ = -1;
  mutable std::unique_ptr<ov_playlist_search_index> search_index_;
};
