#include "ov_playlist.h"

#include "ov_database.h"
#include "ov_library.h"
#include "ov_log.h"
#include "ov_playlist_entries.h"
#include "ov_playlist_search_index.h"
#include "ov_track.h"

#include <QHash>

#include <algorithm>
#include <numeric>
#include <vector>

namespace {

const QString insert_item_sql = QStringLiteral(
    "INSERT INTO  playlist_items (id, playlist_id, library_id, number, position)  VALUES (?, ?, ?, ?, ?);");
const QString delete_item_sql = QStringLiteral("DELETE FROM playlist_items  WHERE  id = ?;");
const QString delete_all_items_sql = QStringLiteral("DELETE FROM playlist_items  WHERE  playlist_id = ?;");
const QString set_number_sql = QStringLiteral("UPDATE playlist_items  SET number = ?  WHERE  id = ?;");
const QString set_position_sql = QStringLiteral("UPDATE playlist_items  SET position = ?  WHERE  id = ?;");
const QString max_position_sql =
    QStringLiteral("SELECT IFNULL(MAX(position), -1)  FROM playlist_items  WHERE  playlist_id = ?;");
const QString load_items_sql = QStringLiteral(
    "SELECT id, library_id, number  FROM playlist_items  WHERE  playlist_id = ?  ORDER BY position ASC;");

using item_list = std::vector<std::unique_ptr<ov_playlist_item>>;

// Stable sort of the entries by their keys (one per entry, in row order).
// Returns the former row of each new row.
template <typename Key>
std::vector<int> sort_keyed(item_list& items, bool ascending, std::vector<std::pair<Key, int>>& keyed) {
  if (ascending)
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  else
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return b.first < a.first; });
  item_list before;
  before.swap(items);
  items.resize(before.size());
  std::vector<int> former(keyed.size());
  for (size_t i = 0; i < keyed.size(); ++i) {
    former[i] = keyed[i].second;
    items[i] = std::move(before[size_t(keyed[i].second)]);
  }
  return former;
}

template <typename Key, typename KeyOf>
std::vector<int> sort_items(item_list& items, bool ascending, KeyOf key_of) {
  std::vector<std::pair<Key, int>> keyed;
  keyed.reserve(items.size());
  for (size_t i = 0; i < items.size(); ++i) keyed.emplace_back(key_of(items[i].get()), int(i));
  return sort_keyed(items, ascending, keyed);
}

// Text keys compare by code units, case-sensitively. Albums and artists
// repeat a lot, so the distinct texts are ordered once and the entries are
// then sorted by the rank of their text: integer comparisons instead of
// string comparisons scattered over memory.
template <typename TextOf>
std::vector<int> sort_items_by_text(item_list& items, bool ascending, TextOf text_of) {
  QHash<QStringView, int> ids;
  ids.reserve(qsizetype(items.size()));
  std::vector<QStringView> distinct;
  std::vector<int> text_id(items.size());
  for (size_t i = 0; i < items.size(); ++i) {
    const QStringView text(text_of(items[i]->track()->tags()));  // the track's own text outlives the sort
    const auto found = ids.constFind(text);
    if (found != ids.constEnd()) {
      text_id[i] = found.value();
    } else {
      text_id[i] = int(distinct.size());
      ids.insert(text, int(distinct.size()));
      distinct.push_back(text);
    }
  }
  std::vector<int> order(distinct.size());
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](int a, int b) { return distinct[size_t(a)] < distinct[size_t(b)]; });
  std::vector<int> rank(distinct.size());
  for (size_t r = 0; r < order.size(); ++r) rank[size_t(order[r])] = int(r);

  std::vector<std::pair<int, int>> keyed;
  keyed.reserve(text_id.size());
  for (size_t i = 0; i < text_id.size(); ++i) keyed.emplace_back(rank[size_t(text_id[i])], int(i));
  return sort_keyed(items, ascending, keyed);
}

}  // namespace

ov_playlist::ov_playlist(ov_library* library, ov_database* items_db, int id, const QString& name, int position,
                         QObject* parent)
    : QObject(parent), library_(library), id_(id), name_(name), items_db_(items_db), position_(position) {
  load();
}

ov_playlist::~ov_playlist() = default;

QString ov_playlist::library_playlist_name() {
  return tr("LIBRARY (all tracks)");
}

bool ov_playlist::is_sortable_column(int column) {
  return (column >= column_rank && column <= column_entry_number) || column == column_added;
}

bool ov_playlist::writable() const {
  return items_db_ && items_db_->is_ok();
}

void ov_playlist::load() {
  if (!items_db_ || !library_) return;
  auto add = [this](qint64 item_id, qint64 library_id, int number) {
    if (!ov_database::is_representable_id(item_id) || !ov_database::is_representable_id(library_id)) {
      ov_log_write(ov_log::WARNING, QStringLiteral("playlist"),
                   QStringLiteral("skipping an entry whose id is out of range.  id=%1  library_id=%2")
                       .arg(item_id)
                       .arg(library_id));
      return;
    }
    // The library's id index holds only the tracks it owns.
    ov_track* track = library_->track_by_id(int(library_id));
    if (track) items_.emplace_back(new ov_playlist_item(int(item_id), track, number));
    highest_number_ = std::max(highest_number_, number);
  };
  if (const std::vector<ov_playlist_entries::entry>* read = ov_playlist_entries::of(items_db_, id_)) {
    items_.reserve(read->size());
    for (const ov_playlist_entries::entry& e : *read) add(e.id, e.library_id, e.number);
    return;
  }
  ov_statement st = items_db_->prepare(load_items_sql);
  if (!st) return;
  st.bind_int(1, id_);
  while (st.step_row()) add(st.column_int64(0), st.column_int64(1), st.column_int(2));
}

void ov_playlist::store_new_item(const ov_playlist_item* item, int position) {
  if (!writable()) return;
  ov_statement st = items_db_->prepare(insert_item_sql);
  st.bind_int(1, item->id());
  st.bind_int(2, id_);
  st.bind_int(3, item->track()->id());
  st.bind_int(4, item->number());
  st.bind_int(5, position);
  st.write();
}

int ov_playlist::position_for_new_item() {
  // Removals leave gaps in the stored positions, so an entry's row can lie
  // below positions already stored; the new entry goes after all of them,
  // or it would come back earlier in the list at the next load.
  if (next_stored_position_ < 0 && writable()) {
    ov_statement st = items_db_->prepare(max_position_sql);
    st.bind_int(1, id_);
    next_stored_position_ = st && st.step_row() ? st.column_int(0) + 1 : 0;
  }
  const int position = std::max(count() - 1, next_stored_position_);
  next_stored_position_ = position + 1;
  return position;
}

void ov_playlist::delete_stored_item(const ov_playlist_item* item) {
  if (!item->is_valid() || !writable()) return;
  ov_statement st = items_db_->prepare(delete_item_sql);
  st.bind_int(1, item->id());
  st.write();
}

void ov_playlist::add_track(ov_track* track) {
  // Only tracks the library holds get an entry: an entry for anything else
  // would be stored, announced and then skipped at the next load.
  if (!track || !library_ || !library_->contains(track)) return;
  ++highest_number_;
  const int item_id = items_db_ ? items_db_->next_id() : 0;
  auto* item = new ov_playlist_item(item_id, track, highest_number_);
  items_.emplace_back(item);
  if (search_index_) search_index_->append(item);
  store_new_item(item, position_for_new_item());
  emit esignal_track_added(item);
  emit esignal_number_of_tracks_changed();
}

std::unique_ptr<ov_playlist_item> ov_playlist::take_at(int row) {
  std::unique_ptr<ov_playlist_item> item = std::move(items_[size_t(row)]);
  delete_stored_item(item.get());
  items_.erase(items_.begin() + row);
  if (search_index_) search_index_->remove_row(row);
  return item;
}

void ov_playlist::remove_track_at(int row) {
  if (row < 0 || row >= count()) return;
  const std::unique_ptr<ov_playlist_item> item = take_at(row);
  emit esignal_track_removed(item.get());
  emit esignal_number_of_tracks_changed();
}

void ov_playlist::remove_tracks_of(const ov_track* track) {
  std::vector<std::unique_ptr<ov_playlist_item>> removed;
  for (int row = 0; row < count();) {
    if (items_[size_t(row)]->track() != track) {
      ++row;
      continue;
    }
    removed.push_back(take_at(row));
    emit esignal_track_removed(removed.back().get());
  }
  emit esignal_number_of_tracks_changed();
}

void ov_playlist::remove_all_items() {
  if (!writable()) return;
  ov_statement st = items_db_->prepare(delete_all_items_sql);
  st.bind_int(1, id_);
  st.write();
}

void ov_playlist::mark_as_deleted() {
  ov_log_write(ov_log::DEBUG, QStringLiteral("playlist"), QStringLiteral("mark as deleted"));
  emit esignal_marked_as_deleted(this);
}

void ov_playlist::sort_by_column(int column) {
  if (!is_sortable_column(column)) return;
  const bool ascending = column != last_sort_column_ || !last_sort_ascending_;
  std::vector<int> former;
  switch (column) {
    case column_rank:
    case column_score:
      former = sort_items<int>(items_, ascending, [](const ov_playlist_item* i) { return i->track()->score(); });
      break;
    case column_title:
      former = sort_items_by_text(items_, ascending, [](const ov_tag_data& t) -> const QString& { return t.title(); });
      break;
    case column_album:
      former = sort_items_by_text(items_, ascending, [](const ov_tag_data& t) -> const QString& { return t.album(); });
      break;
    case column_artist:
      former = sort_items_by_text(items_, ascending, [](const ov_tag_data& t) -> const QString& { return t.artist(); });
      break;
    case column_number:
      former = sort_items<quint32>(items_, ascending,
                                   [](const ov_playlist_item* i) { return i->track()->tags().track_number(); });
      break;
    case column_length:
      former =
          sort_items<int>(items_, ascending, [](const ov_playlist_item* i) { return i->track()->tags().length(); });
      break;
    case column_played:
      former = sort_items<int>(items_, ascending, [](const ov_playlist_item* i) { return i->track()->played(); });
      break;
    case column_entry_number:
      former = sort_items<int>(items_, ascending, [](const ov_playlist_item* i) { return i->number(); });
      break;
    case column_added:
      former = sort_items<quint32>(items_, ascending,
                                   [](const ov_playlist_item* i) { return quint32(i->track()->timestamp_added()); });
      break;
  }
  if (search_index_) search_index_->reorder(former);
  last_sort_column_ = column;
  last_sort_ascending_ = ascending;
  sorted_ = true;
  emit esignal_sorted();
}

ov_playlist_search_index& ov_playlist::search_index() const {
  if (!search_index_) search_index_ = std::make_unique<ov_playlist_search_index>(items());
  return *search_index_;
}

int ov_playlist::search_next(const QString& text, int current_row) const {
  const int first = current_row + 1;
  if (text.isEmpty() || first < 0 || first >= count()) return -1;
  return search_index().find(ov_playlist_search_index::folded(text), first, count() - 1);
}

int ov_playlist::search_previous(const QString& text, int current_row) const {
  const int first = current_row - 1;
  if (text.isEmpty() || first < 0 || first >= count()) return -1;
  return search_index().find(ov_playlist_search_index::folded(text), first, 0);
}

void ov_playlist::renew_number(int row) {
  ov_playlist_item* item = item_at(row);
  if (!item) return;
  item->set_number(row);
  if (!writable()) return;
  ov_statement st = items_db_->prepare(set_number_sql);
  st.bind_int(1, row);
  st.bind_int(2, item->id());
  st.write();
}

void ov_playlist::store_positions() {
  if (!writable()) return;
  items_db_->begin_bulk();
  // One statement, re-bound per entry, inside the transaction.
  ov_statement st = items_db_->prepare(set_position_sql);
  if (st) {
    for (int row = 0; row < count(); ++row) {
      st.bind_int(1, row);
      st.bind_int(2, items_[size_t(row)]->id());
      st.write();
      st.reset();
    }
    st.finalize();
  }
  items_db_->end_bulk();
  next_stored_position_ = count();
}

QList<int> ov_playlist::move_rows(QList<int> rows, int target) {
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  rows.erase(std::remove_if(rows.begin(), rows.end(), [&](int r) { return r < 0 || r >= count(); }), rows.end());
  if (rows.isEmpty()) return {};
  // The former rows travel with the entries, to reorder the search index.
  QList<int> former(count());
  std::iota(former.begin(), former.end(), 0);
  std::vector<std::unique_ptr<ov_playlist_item>> taken;
  QList<int> taken_rows;
  for (auto it = rows.crbegin(); it != rows.crend(); ++it) {
    taken.insert(taken.begin(), std::move(items_[size_t(*it)]));
    items_.erase(items_.begin() + *it);
    taken_rows.prepend(former.takeAt(*it));
    if (*it < target) --target;
  }
  target = std::clamp(target, 0, count());
  QList<int> new_rows;
  for (int i = 0; i < int(taken.size()); ++i) {
    items_.insert(items_.begin() + target + i, std::move(taken[size_t(i)]));
    former.insert(target + i, taken_rows.at(i));
    new_rows.append(target + i);
  }
  sorted_ = true;
  if (search_index_) search_index_->reorder(std::vector<int>(former.begin(), former.end()));
  return new_rows;
}

void ov_playlist::set_name(const QString& name) {
  if (name == name_) return;
  name_ = name;
  emit esignal_name_changed(this);
}

QList<ov_playlist_item*> ov_playlist::items() const {
  QList<ov_playlist_item*> list;
  list.reserve(count());
  for (const std::unique_ptr<ov_playlist_item>& item : items_) list.append(item.get());
  return list;
}

ov_playlist_item* ov_playlist::item_at(int row) const {
  return row >= 0 && row < count() ? items_[size_t(row)].get() : nullptr;
}

ov_track* ov_playlist::track_at(int row) const {
  const ov_playlist_item* item = item_at(row);
  return item ? item->track() : nullptr;
}

int ov_playlist::status_at(int row) const {
  const ov_playlist_item* item = item_at(row);
  return item ? item->status() : ov_playlist_item::ordinary;
}

int ov_playlist::index_of(const ov_playlist_item* item) const {
  for (int row = 0; row < count(); ++row)
    if (items_[size_t(row)].get() == item) return row;
  return -1;
}

int ov_playlist::index_of_track(const ov_track* track) const {
  for (int row = 0; row < count(); ++row)
    if (items_[size_t(row)]->track() == track) return row;
  return -1;
}
