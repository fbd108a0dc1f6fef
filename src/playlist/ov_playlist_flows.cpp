#include "ov_playlist_flows.h"

#include "ov_database.h"
#include "ov_library.h"
#include "ov_log.h"
#include "ov_playlist.h"
#include "ov_playlist_store.h"
#include "ov_track.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>

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

QStringList ov_playlist_flows::expand_paths(const QStringList& paths) {
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
    for (const QString& file : collect_mp3_files(clean)) files << ov_clean_file_path(file);
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
  bulk library_tx(library->database());
  bulk items_tx(library_playlist ? library_playlist->items_database() : also ? also->items_database() : nullptr);

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
    if (track && !held[i] && library_playlist) library_playlist->add_track(track);
    if (track && also) also->add_track(track);
    r.done = done;
    if (progress && !progress(done)) {
      r.cancelled = done < r.total;
      return false;
    }
    if (done < r.total) announce(done);
    return true;
  };
  announce(0);
  library->add_music_files(files, added_time, after_each);
  return r;
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
