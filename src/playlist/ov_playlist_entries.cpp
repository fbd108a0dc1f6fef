#include "ov_playlist_entries.h"

#include "ov_database.h"

#include <algorithm>

namespace {

// The rows the query of one playlist's entries gives for each integer
// playlist id, all at once and in the same order within each playlist.
const QString load_all_items_sql = QStringLiteral(
    "SELECT id, library_id, number, playlist_id  FROM playlist_items  WHERE  typeof(playlist_id) = 'integer'  "
    "ORDER BY playlist_id ASC, position ASC;");
// The same rows in table order, with their positions, for sorting here.
const QString scan_all_items_sql = QStringLiteral(
    "SELECT id, library_id, number, playlist_id, position, typeof(position) = 'integer'  FROM playlist_items  "
    "WHERE  typeof(playlist_id) = 'integer';");

const ov_playlist_entries* open_entries = nullptr;

}  // namespace

ov_playlist_entries::ov_playlist_entries(ov_database* items_db) : items_db_(items_db), outer_(open_entries) {
  if (!items_db_ || !items_db_->is_ok()) return;
  if (!read_sorted_here() && !read_sorted_by_sqlite()) return;
  open_entries = this;
}

ov_playlist_entries::~ov_playlist_entries() {
  if (open_entries == this) open_entries = outer_;
}

bool ov_playlist_entries::read_sorted_here() {
  // Sorting in SQLite costs more than the scan itself. Integer positions
  // that are unique within each playlist order the rows one way only, so a
  // sort here gives what ORDER BY gives; any other position (a damaged row)
  // leaves the order to SQLite.
  ov_statement st = items_db_->prepare(scan_all_items_sql);
  if (!st) return false;
  struct row {
    qint64 playlist_id;
    qint64 position;
    entry e;
  };
  std::vector<row> rows;
  while (st.step_row()) {
    if (!st.column_int(5)) return false;
    rows.push_back(
        {st.column_int64(3), st.column_int64(4), {st.column_int64(0), st.column_int64(1), st.column_int(2)}});
  }
  const auto key = [](const row& r) { return std::pair(r.playlist_id, r.position); };
  std::sort(rows.begin(), rows.end(), [&](const row& a, const row& b) { return key(a) < key(b); });
  if (std::adjacent_find(rows.begin(), rows.end(), [&](const row& a, const row& b) { return key(a) == key(b); }) !=
      rows.end())
    return false;
  std::vector<entry>* list = nullptr;
  for (size_t i = 0; i < rows.size(); ++i) {
    if (i == 0 || rows[i].playlist_id != rows[i - 1].playlist_id) list = &by_playlist_[rows[i].playlist_id];
    list->push_back(rows[i].e);
  }
  return true;
}

bool ov_playlist_entries::read_sorted_by_sqlite() {
  by_playlist_.clear();
  ov_statement st = items_db_->prepare(load_all_items_sql);
  if (!st) return false;
  while (st.step_row())
    by_playlist_[st.column_int64(3)].push_back({st.column_int64(0), st.column_int64(1), st.column_int(2)});
  return true;
}

const std::vector<ov_playlist_entries::entry>* ov_playlist_entries::of(const ov_database* items_db, int id) {
  static const std::vector<entry> none;
  if (!open_entries || open_entries->items_db_ != items_db) return nullptr;
  const auto it = open_entries->by_playlist_.constFind(id);
  return it == open_entries->by_playlist_.cend() ? &none : &*it;
}
