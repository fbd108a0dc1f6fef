#include "ov_playlist_flows.h"

#include "ov_autotest.h"
#include "ov_database.h"
#include "ov_library.h"
#include "ov_log.h"
#include "ov_playlist.h"
#include "ov_playlist_store.h"
#include "ov_track.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QStorageInfo>

#include <algorithm>
#include <vector>

namespace {

const QString log_tag = QStringLiteral("mainwindow");

void trace(const QString& message) {
  ov_log_write_flush(ov_log::DEBUG, log_tag, message);
}

// One transaction on a database for the lifetime of the object; it is
// ended on every way out, cancelled or not.
class bulk {
public:
  explicit bulk(ov_database* db) : db_(db && db->is_ok() ? db : nullptr) {
    if (db_) db_->begin_bulk();
  }
  ~bulk() {
    if (db_) db_->end_bulk();
  }
  bulk(const bulk&) = delete;
  bulk& operator=(const bulk&) = delete;

private:
  ov_database* db_;
};

// The writes of an add, committed in chunks of about a second, so that an
// add that is interrupted keeps what was committed, as a cancelled one does.
// The library commits first: entries point at its rows, so when its commit
// fails the entries' chunk is rolled back, and what the chunk added in
// memory is taken out again. When the entries' commit fails after the
// library's, the chunk's new rows are deleted again.
class add_chunks {
public:
  static constexpr qint64 interval_ms = 1000;

  add_chunks(ov_library* library, ov_database* items_db)
      : library_(library), library_db_(usable(library->database())), items_db_(usable(items_db)) {
    begin();
  }

  // A new library track of this chunk.
  void note_track(ov_track* track) { tracks_ << track; }
  // Appends an entry for the track and remembers it.
  void add_entry(ov_playlist* playlist, ov_track* track) {
    const int before = playlist->count();
    playlist->add_track(track);
    if (playlist->count() > before) entries_.append({playlist, playlist->item_at(playlist->count() - 1)});
  }
  void note_file(bool has_track) {
    ++files_;
    if (has_track) ++files_with_track_;
  }
  // Time to commit, or the library's transaction was lost to a failed write.
  bool due() const { return timer_.hasExpired(interval_ms) || (library_db_ && !library_db_->in_bulk()); }

  // Commits the chunk and starts the next unless last; false when it was
  // not stored (it was taken out again).
  bool commit(bool last) {
    const bool library_stored = !library_db_ || library_db_->end_bulk();
    bool items_stored = false;
    if (library_stored)
      items_stored = !items_db_ || items_db_->end_bulk();
    else if (items_db_)
      items_db_->rollback_bulk();
    const bool stored = library_stored && items_stored;
    if (stored) {
      stored_files_ += files_;
      stored_with_track_ += files_with_track_;
      ov_autotest::note(QStringLiteral("committed %1 files").arg(stored_files_));
    } else {
      disk_full_ = full(library_db_) || full(items_db_);
      take_out();
    }
    tracks_.clear();
    entries_.clear();
    files_ = files_with_track_ = 0;
    if (stored && !last) begin();
    return stored;
  }

  qsizetype stored_files() const { return stored_files_; }
  qsizetype stored_with_track() const { return stored_with_track_; }
  bool disk_full() const { return disk_full_; }

private:
  struct entry {
    ov_playlist* playlist;
    const ov_playlist_item* item;
  };

  static ov_database* usable(ov_database* db) { return db && db->is_ok() ? db : nullptr; }
  static bool full(const ov_database* db) {
    if (!db) return false;
    const QStorageInfo disk(QFileInfo(db->path()).absolutePath());
    return db->last_commit_full() || (disk.isValid() && disk.bytesAvailable() < 1024 * 1024);
  }

  void begin() {
    if (library_db_) library_db_->begin_bulk();
    if (items_db_) items_db_->begin_bulk();
    timer_.start();
  }

  // The chunk's entries, newest first, then its tracks (whose rows are
  // deleted if they were stored); the removed tracks are freed.
  void take_out() {
    for (auto it = entries_.crbegin(); it != entries_.crend(); ++it) {
      const int row = it->playlist->index_of(it->item);
      if (row >= 0) it->playlist->remove_track_at(row);
    }
    library_->remove_tracks(tracks_);
  }

  ov_library* library_;
  ov_database* library_db_;
  ov_database* items_db_;
  QElapsedTimer timer_;
  QList<ov_track*> tracks_;
  QList<entry> entries_;
  qsizetype files_ = 0;
  qsizetype files_with_track_ = 0;
  qsizetype stored_files_ = 0;
  qsizetype stored_with_track_ = 0;
  bool disk_full_ = false;
};

// Runs item(i) for i = 0..total-1, asking progress after each one.
template <typename Item>
ov_flow_result run_items(qsizetype total, const ov_flow_progress& progress, Item item) {
  ov_flow_result r;
  r.total = total;
  for (qsizetype i = 0; i < total; ++i) {
    item(i);
    r.done = i + 1;
    if (progress && !progress(r.done)) {
      r.cancelled = r.done < total;
      break;
    }
  }
  return r;
}

// Rows in the playlist, highest first, each once.
QList<int> descending_rows(const ov_playlist* playlist, QList<int> rows) {
  rows.removeIf([playlist](int r) { return r < 0 || r >= playlist->count(); });
  std::sort(rows.begin(), rows.end(), std::greater<int>());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

// Removes the entries of tracks that are leaving the library, one track at
// a time, without searching the playlists per track. Each playlist is
// indexed once: the rows each track had when the batch began. A Fenwick
// tree counts the rows removed since, so an entry's row now is its first
// row less the removed rows above it.
class entry_remover {
public:
  entry_remover(const QList<ov_playlist*>& playlists, const QList<ov_track*>& tracks) {
    const QSet<const ov_track*> leaving(tracks.cbegin(), tracks.cend());
    for (ov_playlist* p : playlists) {
      if (!p) continue;
      indexed x{p, {}, std::vector<int>(size_t(p->count()) + 1, 0)};
      for (int row = 0; row < p->count(); ++row) {
        const ov_track* t = p->track_at(row);
        if (leaving.contains(t)) x.rows[t].append(row);
      }
      if (!x.rows.isEmpty()) lists_.push_back(std::move(x));
    }
  }

  void remove_entries_of(const ov_track* track) {
    for (indexed& x : lists_) {
      const QList<int> rows = x.rows.take(track);
      for (auto it = rows.crbegin(); it != rows.crend(); ++it) remove_one(x, *it, track);
    }
  }

private:
  struct indexed {
    ov_playlist* playlist;
    QHash<const ov_track*, QList<int>> rows;
    std::vector<int> removed_tree;  // 1-based Fenwick tree over the first rows
  };

  static void remove_one(indexed& x, int first_row, const ov_track* track) {
    int row = first_row - removed_before(x, first_row);
    // The list is not expected to change under the batch; when it did,
    // the entry is looked up instead.
    if (x.playlist->track_at(row) != track) row = x.playlist->index_of_track(track);
    if (row < 0) return;
    x.playlist->remove_track_at(row);
    for (size_t i = size_t(first_row) + 1; i < x.removed_tree.size(); i += i & (~i + 1)) ++x.removed_tree[i];
  }

  static int removed_before(const indexed& x, int first_row) {
    int n = 0;
    for (size_t i = size_t(first_row); i > 0; i -= i & (~i + 1)) n += x.removed_tree[i];
    return n;
  }

  std::vector<indexed> lists_;
};

}  // namespace

QString ov_playlist_flows::new_playlist_name() {
  return tr("New Playlist");
}

QStringList ov_playlist_flows::expand_paths(const QStringList& paths, qsizetype* unreadable) {
  trace(QStringLiteral("adding files by drag & drop"));
  if (paths.isEmpty()) return {};
  QStringList files;
  for (const QString& path : paths) {
    const QString clean = ov_clean_file_path(path);
    if (clean.isEmpty()) continue;
    if (!QFileInfo(clean).isDir()) {
      files << clean;
      continue;
    }
    for (const QString& file : collect_mp3_files(clean, unreadable)) files << ov_clean_file_path(file);
  }
  trace(QStringLiteral("adding %1 files by drag & drop").arg(files.size()));
  return files;
}

ov_flow_result ov_playlist_flows::add_files(ov_library* library, ov_playlist* library_playlist, ov_playlist* selected,
                                            const QStringList& listed, qint64 added_time,
                                            const ov_flow_progress& progress) {
  ov_flow_result r;
  r.total = listed.size();
  if (!library || listed.isEmpty()) return r;
  // expand_paths gives clean paths already; a list from elsewhere is cleaned
  // here, before the library looks for duplicates.
  QStringList files;
  files.reserve(listed.size());
  for (const QString& path : listed) files << ov_clean_file_path(path);
  ov_playlist* also = selected && selected != library_playlist && selected->id() != 0 ? selected : nullptr;
  add_chunks chunks(library, library_playlist ? library_playlist->items_database()
                             : also           ? also->items_database()
                                              : nullptr);

  // The library reads the files ahead and reports each one after adding it;
  // the playlists get their entries from here. "adding " is logged before
  // the library takes the file, so its warnings follow that line.
  QList<bool> held(files.size(), false);
  auto announce = [&](qsizetype i) {
    held[i] = library->contains_path(files.at(i));
    if (!held[i]) ov_log_write(ov_log::DEBUG, log_tag, QStringLiteral("adding ") + files.at(i));
  };
  auto after_each = [&](qsizetype done) {
    const qsizetype i = done - 1;
    ov_track* track = library->track_by_path(files.at(i));
    if (track && !held[i]) {
      chunks.note_track(track);
      if (library_playlist) chunks.add_entry(library_playlist, track);
    }
    if (track && also) chunks.add_entry(also, track);
    chunks.note_file(track != nullptr);
    r.done = done;
    if (chunks.due() && !chunks.commit(false)) {
      r.stopped = true;
      return false;
    }
    if (progress && !progress(done)) {
      r.cancelled = done < r.total;
      return false;
    }
    if (done < r.total) announce(done);
    return true;
  };
  announce(0);
  library->add_music_files(files, added_time, after_each);
  if (!r.stopped && !chunks.commit(true)) r.stopped = true;
  r.added = chunks.stored_with_track();
  if (r.stopped) {
    r.disk_full = chunks.disk_full();
    r.not_added = r.total - chunks.stored_files();
    ov_log_write_flush(ov_log::WARNING, QStringLiteral("adding music file"),
                       QStringLiteral("adding stopped: the files could not be stored.  added=%1  not added=%2")
                           .arg(r.added)
                           .arg(r.not_added));
  }
  ov_autotest::note(QStringLiteral("added %1 of %2 files").arg(r.added).arg(r.total));
  return r;
}

QString ov_playlist_flows::stopped_text(const ov_flow_result& result) {
  if (result.disk_full)
    return tr("Adding stopped: the disk is full. %1 files added, %2 not added.")
        .arg(result.added)
        .arg(result.not_added);
  return tr("Adding stopped: the files could not be stored. %1 files added, %2 not added.")
      .arg(result.added)
      .arg(result.not_added);
}

ov_flow_result ov_playlist_flows::copy_tracks(ov_playlist* target, int target_row, const QList<ov_track*>& tracks,
                                              const ov_flow_progress& progress) {
  const QString counts = QStringLiteral("playlist_row=%1,  track_count=%2").arg(target_row).arg(tracks.size());
  trace(QStringLiteral("Adding tracks to playlist: ") + counts);
  if (!target) return {tracks.size(), 0, false};
  ov_flow_result r;
  {
    bulk tx(target->items_database());
    r = run_items(tracks.size(), progress, [&](qsizetype i) { target->add_track(tracks.at(i)); });
  }
  trace(QStringLiteral("Added tracks to playlist: ") + counts);
  return r;
}

ov_flow_result ov_playlist_flows::remove_rows(ov_playlist* playlist, QList<int> rows,
                                              const ov_flow_progress& progress) {
  trace(QStringLiteral("esignal_remove_tracks_from_current_playlist emitted"));
  if (!playlist || playlist->id() == 0) return {};
  rows = descending_rows(playlist, std::move(rows));
  if (rows.isEmpty()) return {};
  bulk tx(playlist->items_database());
  return run_items(rows.size(), progress, [&](qsizetype i) { playlist->remove_track_at(rows.at(i)); });
}

ov_flow_result ov_playlist_flows::renew_numbers(ov_playlist* playlist, const QList<int>& rows,
                                                const ov_flow_progress& progress) {
  if (!playlist || rows.isEmpty()) return {rows.size(), 0, false};
  bulk tx(playlist->items_database());
  return run_items(rows.size(), progress, [&](qsizetype i) {
    trace(QStringLiteral("renew track # row=%1").arg(rows.at(i)));
    playlist->renew_number(rows.at(i));
  });
}

QList<int> ov_playlist_flows::move_tracks(ov_playlist* playlist, const QList<int>& rows, int target_row) {
  if (!playlist) return {};
  for (int row : descending_rows(playlist, rows)) trace(QStringLiteral("index taken: %1").arg(row));
  return playlist->move_rows(rows, target_row);
}

ov_flow_result ov_playlist_flows::remove_from_library(ov_library* library, const QList<ov_playlist*>& playlists,
                                                      const QList<ov_track*>& tracks,
                                                      const ov_flow_progress& progress) {
  ov_flow_result r;
  r.total = tracks.size();
  if (!library || tracks.isEmpty()) return r;
  ov_database* items_db = nullptr;
  for (const ov_playlist* p : playlists)
    if (p && !items_db) items_db = p->items_database();
  bulk library_tx(library->database());
  bulk items_tx(items_db);

  entry_remover entries(playlists, tracks);
  auto before_each = [&entries](ov_track* track) { entries.remove_entries_of(track); };
  auto after_each = [&](qsizetype done) {
    r.done = done;
    if (!progress || progress(done)) return true;
    r.cancelled = done < r.total;
    return false;
  };
  // The removed tracks are freed here, after every entry pointing at them
  // is gone.
  library->remove_tracks(tracks, before_each, after_each);
  return r;
}

ov_playlist* ov_playlist_flows::create_playlist(QList<ov_playlist*>& playlists, ov_library* library,
                                                ov_database* playlists_db, ov_database* items_db, QObject* parent) {
  const int id = playlists_db ? playlists_db->next_id() : 0;
  auto* playlist = new ov_playlist(library, items_db, id, new_playlist_name(), int(playlists.size()), parent);
  playlists.append(playlist);
  ov_playlist_store::insert(playlists_db, playlist);
  return playlist;
}

void ov_playlist_flows::rename_playlist(ov_database* playlists_db, const ov_playlist* playlist) {
  ov_playlist_store::rename(playlists_db, playlist);
}

bool ov_playlist_flows::move_playlist(QList<ov_playlist*>& playlists, ov_database* playlists_db, int from_row,
                                      int to_row) {
  const int count = int(playlists.size());
  if (from_row < 1 || from_row >= count || to_row < 1 || to_row >= count) return false;
  playlists.move(from_row, to_row);
  for (int row = 1; row < count; ++row) {
    playlists.at(row)->set_position(row);
    ov_playlist_store::move(playlists_db, playlists.at(row));
  }
  trace(QStringLiteral("playlist moved"));
  return true;
}

ov_playlist_flows::removed_playlist ov_playlist_flows::remove_playlist(QList<ov_playlist*>& playlists,
                                                                       ov_database* playlists_db, int row) {
  if (row < 1 || row >= playlists.size()) return {};
  ov_playlist* playlist = playlists.takeAt(row);
  ov_playlist_store::remove(playlists_db, playlist);
  playlist->remove_all_items();
  playlist->mark_as_deleted();
  playlist->setParent(nullptr);
  return {std::unique_ptr<ov_playlist>(playlist), std::min(row, int(playlists.size()) - 1)};
}
