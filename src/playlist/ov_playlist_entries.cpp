#include "ov_playlist_entries.h"

#include "ov_database.h"

namespace {

// The rows the query of one playlist's entries gives for each integer
// playlist id, all at once and in the same order within each playlist.
const QString load_all_items_sql = QStringLiteral(
    "SELECT id, library_id, number, playlist_id  FROM playlist_items  WHERE  typeof(playlist_id) = 'integer'  "
    "ORDER BY playlist_id ASC, position ASC;");

const ov_playlist_entries* open_entries = nullptr;

}  // namespace

ov_playlist_entries::ov_playlist_entries(ov_database* items_db) : items_db_(items_db), outer_(open_entries) {
  if (!items_db_ || !items_db_->is_ok()) return;
  ov_statement st = items_db_->prepare(load_all_items_sql);
  if (!st) return;
  while (st.step_row())
    by_playlist_[st.column_int64(3)].push_back({st.column_int64(0), st.column_int64(1), st.column_int(2)});
  open_entries = this;
}

ov_playlist_entries::~ov_playlist_entries() {
  if (open_entries == this) open_entries = outer_;
}

const std::vector<ov_playlist_entries::entry>* ov_playlist_entries::of(const ov_database* items_db, int id) {
  static const std::vector<entry> none;
  if (!open_entries || open_entries->items_db_ != items_db) return nullptr;
  const auto it = open_entries->by_playlist_.constFind(id);
  return it == open_entries->by_playlist_.cend() ? &none : &*it;
}
