#include "ov_library.h"

#include "ov_database.h"
#include "ov_decoder.h"
#include "ov_field_codec.h"
#include "ov_log.h"
#include "ov_regular_file.h"
#include "ov_score_cache.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QtConcurrent>

#include <dirent.h>

#include <algorithm>
#include <deque>
#include <vector>

namespace {

const QString album_separator = QStringLiteral("|_|_|_|");

// Rows of the library table as read at load time, in row order, with the
// tracks made from them.
struct load_chunk {
  struct row {
    int id = 0;
    QString filepath;
    QString title;
    QString album;
    QString artist;
    int track_no = 0;
    int length = 0;
    QString s;
    int timestamp_added = 0;
    bool failed = false;  // s is not empty but could not be deciphered
    std::unique_ptr<ov_track> track;
    ov_library::album_place place;
  };
  std::vector<row> rows;
  int cached = 0;  // rows whose values came from the score cache
};

constexpr size_t load_chunk_rows = 1024;

// Builds the track of every row of a chunk with the values of s: from the
// score cache when it knows s, else deciphered. Without a cache (null) no
// fingerprints are taken.
void prepare_chunk(load_chunk* chunk, const QString& seed, const ov_score_cache* cache) {
  for (load_chunk::row& r : chunk->rows) {
    r.track = std::make_unique<ov_track>(
        r.id, r.timestamp_added,
        ov_tag_data::from_values(r.filepath, r.title, r.album, r.artist, quint32(r.track_no), r.length));
    r.place = ov_library::album_place_of(r.track->tags());
    if (r.s.isEmpty()) continue;  // zeros, neither counted nor logged
    const quint64 fingerprint = cache ? ov_score_cache::fingerprint(r.s) : 0;
    const ov_score_cache::entry* known = cache ? cache->find(r.id) : nullptr;
    if (known && known->fingerprint == fingerprint) {
      r.track->set_all_counters(known->counters);
      ++chunk->cached;
    } else {
      const QString plain = decode_field(seed, r.s, r.id);
      r.failed = plain.isEmpty();
      r.track->set_counters_text(plain);
    }
    if (!r.failed) r.track->set_stored_fingerprint(fingerprint);
  }
}

// The directory part of a file path, as QFileInfo::path() gives it.
QString directory_of(const QString& path) {
  const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
  if (slash < 0) return QStringLiteral(".");
  if (slash == 0) return QStringLiteral("/");
  return path.left(slash);
}

ov_track_group* group_for(ov_group_map* groups, const QString& key, const QString& name, const QString& directory) {
  auto& slot = (*groups)[key];
  if (!slot) {
    slot = std::make_unique<ov_track_group>();
    slot->name = name;
    slot->directory = directory;
  }
  return slot.get();
}

struct collect_state {
  QStringList files;
  QSet<QString> visited;
  qsizetype hidden = 0;
  qsizetype unreadable = 0;
};

// Names in the directory whose bytes are not text in the file name
// encoding: no path reaches them, so each is logged with its bytes
// percent-encoded. Returns how many there were.
qsizetype log_unreadable_names(const QString& directory) {
  const QByteArray encoded = QFile::encodeName(directory);
  DIR* dir = ::opendir(encoded.constData());
  if (!dir) return 0;
  qsizetype count = 0;
  while (const dirent* entry = ::readdir(dir)) {
    const QByteArray name(entry->d_name);
    if (QFile::encodeName(QFile::decodeName(name)) == name) continue;
    ++count;
    ov_log_write(ov_log::WARNING, QStringLiteral("adding music file"),
                 QStringLiteral("Skipped a name that is not valid text.  file=") +
                     QString::fromLatin1((encoded + '/' + name).toPercentEncoding("/")));
  }
  ::closedir(dir);
  return count;
}

void collect_into(const QString& directory, collect_state& state) {
  const QDir dir(directory);
  // A directory reached twice (through a symbolic link loop) is walked once.
  const QString canonical = QFileInfo(directory).canonicalFilePath();
  if (canonical.isEmpty() || state.visited.contains(canonical)) return;
  state.visited.insert(canonical);

  const QString base = dir.path() + QLatin1Char('/');
  const qsizetype unreadable = log_unreadable_names(directory);
  state.unreadable += unreadable;
  const QStringList hidden = dir.entryList(
      {QStringLiteral(".*")}, QDir::Dirs | QDir::Files | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
  state.hidden += hidden.size();
  // Only regular files (after following links) are music: a FIFO or a link
  // to a device named .mp3 would block or never end when read.
  for (const QString& name : dir.entryList(ov_music_name_filters(), QDir::Files | QDir::System, QDir::Unsorted)) {
    // A name that was not text reads with replacement characters and was told above.
    if (unreadable && name.contains(QChar::ReplacementCharacter) && !QFileInfo::exists(base + name)) continue;
    QString reason;
    if (ov_regular_file::is_regular(base + name, &reason))
      state.files << base + name;
    else
      ov_log_write(ov_log::WARNING, QStringLiteral("adding music file"),
                   QStringLiteral("Refused a path that is not a regular file (") + reason +
                       QStringLiteral(").  file=") + base + name);
  }
  for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Unsorted))
    collect_into(base + name, state);
}

}  // namespace

ov_library::ov_library(ov_database* db, ov_group_map* albums, ov_group_map* artists, const QString& seed,
                       const QString& score_cache_path)
    : db_(db), albums_(albums), artists_(artists), seed_(seed), score_cache_path_(score_cache_path) {
  if (db_ && !score_cache_path_.isEmpty()) score_cache_library_ = QFileInfo(db_->path()).canonicalFilePath();
  load();
}

ov_library::~ov_library() {
  score_cache_write_.waitForFinished();
}

void ov_library::load() {
  if (!db_ || !db_->is_ok()) return;
  ov_statement st =
      db_->prepare(QStringLiteral("SELECT id, filepath, title, album, artist, track_no, length, s, timestamp_added  "
                                  "FROM library  ORDER BY id ASC;"));

  // Deciphering costs one key schedule per row and dominates loading. Rows
  // are read in chunks, and each chunk is prepared (its scores taken from
  // the cache or deciphered) on the thread pool while reading goes on;
  // registering then takes the chunks in row order, so the result and the
  // log are those of a row-by-row load. The cache file is read and checked
  // on the pool too; chunks wait for it before they are handed out.
  std::vector<std::unique_ptr<load_chunk>> chunks;
  QList<QFuture<void>> prepared;
  const QString seed = seed_;
  QFuture<ov_score_cache> cache_read;
  std::unique_ptr<ov_score_cache> cache;
  if (!score_cache_path_.isEmpty())
    cache_read = QtConcurrent::run([path = score_cache_path_, seed, library = score_cache_library_] {
      return ov_score_cache::read(path, seed, library);
    });
  size_t dispatched = 0;
  // Hands out the chunks read so far but the one being filled, or all of them.
  auto dispatch = [&](bool all) {
    if (cache_read.isValid() && !cache) {
      if (!all && !cache_read.isFinished()) return;
      cache = std::make_unique<ov_score_cache>(cache_read.takeResult());
    }
    for (const size_t ready = all ? chunks.size() : chunks.size() - 1; dispatched < ready; ++dispatched) {
      load_chunk* c = chunks[dispatched].get();
      prepared << QtConcurrent::run([c, seed, known = cache.get()] { prepare_chunk(c, seed, known); });
    }
  };
  while (st.step_row()) {
    const qint64 id = st.column_int64(0);
    if (!ov_database::is_representable_id(id)) {
      // An id an int cannot hold would be cut down and meet another row's.
      ov_log_write(
          ov_log::WARNING, QStringLiteral("loading libary data"),
          QStringLiteral("skipping a row whose id is out of range.  id=%1  file=").arg(id) + st.column_text(1));
      continue;
    }
    if (chunks.empty() || chunks.back()->rows.size() == load_chunk_rows) {
      chunks.push_back(std::make_unique<load_chunk>());
      dispatch(false);
      chunks.back()->rows.reserve(load_chunk_rows);
    }
    load_chunk::row& r = chunks.back()->rows.emplace_back();
    r.id = int(id);
    r.filepath = st.column_text(1);
    r.title = st.column_text(2);
    r.album = st.column_text(3);
    r.artist = st.column_text(4);
    r.track_no = st.column_int(5);
    r.length = st.column_int(6);
    r.s = st.column_text(7);
    r.timestamp_added = st.column_int(8);
  }
  dispatch(true);
  st.finalize();

  const qsizetype total = qsizetype(chunks.size() * load_chunk_rows);
  by_path_.reserve(total);
  by_id_.reserve(total);
  owned_.reserve(size_t(total));
  QList<ov_track*> rewrite;
  for (size_t i = 0; i < chunks.size(); ++i) {
    prepared[qsizetype(i)].waitForFinished();
    cached_scores_ += chunks[i]->cached;
    for (load_chunk::row& r : chunks[i]->rows) {
      if (r.failed) {
        ++score_failures_;
        ov_log_write(ov_log::WARNING, QStringLiteral("loading libary data"),
                     QStringLiteral("failed to load score data, they has been filled with 0.  file=") + r.filepath);
      }
      ov_track* t = register_track(std::move(r.track), r.place);
      if (r.failed && t) {
        t->set_dirty(true);
        rewrite << t;
      }
    }
    chunks[i].reset();
  }
  // The zeros are stored again in one transaction: after a lost seed every
  // row fails, and one synchronous write per row would stall the start.
  if (!rewrite.isEmpty()) {
    db_->begin_bulk();
    for (ov_track* t : rewrite) write_score(t);
    if (!db_->end_bulk()) mark_uncommitted(rewrite);
  }
  if (cache)
    ov_log_write(ov_log::INFO, QStringLiteral("loading libary data"),
                 QStringLiteral("took %1 of %2 tracks' scores from the cache").arg(cached_scores_).arg(paths_.size()));
  if (ov_log* log = ov_log::global()) log->flush();
}

ov_library::album_place ov_library::album_place_of(const ov_tag_data& tags) {
  if (tags.album().isEmpty()) return {};
  QString directory = directory_of(tags.file_path());
  return {tags.album() + album_separator + directory, std::move(directory)};
}

ov_track* ov_library::register_track(std::unique_ptr<ov_track> track) {
  if (!track) return nullptr;
  const album_place place = album_place_of(track->tags());
  return register_track(std::move(track), place);
}

ov_track* ov_library::register_track(std::unique_ptr<ov_track> track, const album_place& place) {
  if (!track || !track->is_valid()) return nullptr;
  const QString& path = track->tags().file_path();
  // One lookup: the slot of a new path is made empty.
  ov_track*& slot = by_path_[path];
  if (slot) return nullptr;

  ov_track* t = track.get();
  slot = t;
  by_id_.insert(t->id(), t);
  paths_ << path;
  owned_.emplace(t, std::move(track));

  if (!place.key.isEmpty()) {
    ov_track_group* g = group_for(albums_, place.key, t->tags().album(), place.directory);
    t->set_album_group(g);
    g->tracks << t;
  }
  const QString& artist = t->tags().artist();
  if (!artist.isEmpty()) {
    ov_track_group* g = group_for(artists_, artist, artist, QString());
    t->set_artist_group(g);
    g->tracks << t;
  }
  return t;
}

void ov_library::add_music_file(const QString& path, qint64 time) {
  if (by_path_.contains(path)) return;
  const int id = db_ ? db_->next_id() : 0;
  if (id == 0) {
    refuse_without_id(path);
    return;
  }
  // A new track's score field is known before its tags are read: its key
  // schedule runs on another core meanwhile.
  const QString seed = seed_;
  QFuture<QString> zeros = QtConcurrent::run([seed, id] { return new_score_field(seed, id); });
  add_read_file(std::make_unique<ov_track>(id, int(time), ov_tag_data::from_file(path)),
                [&zeros] { return zeros.result(); });
}

void ov_library::add_music_files(const QStringList& paths, qint64 time,
                                 const std::function<bool(qsizetype)>& progress) {
  struct read_file {
    ov_tag_data tags;
    QStringList warnings;
    QString zeros;  // the enciphered zero score field under the file's id
  };
  struct pending {
    int id = -1;  // -1: the path is in the library or earlier in the list
    QFuture<read_file> read;
  };
  // Files are read a few ahead on the thread pool. Ids are taken in list
  // order when a read starts, so the new track's score field is enciphered
  // there too; log lines, rows and registration happen here in list order.
  QSet<QString> listed;
  auto start_read = [&](const QString& path) {
    pending p;
    if (by_path_.contains(path) || listed.contains(path)) return p;
    listed.insert(path);
    p.id = db_ ? db_->next_id() : 0;
    if (p.id == 0) {
      refuse_without_id(path);
      p.id = -1;
      return p;
    }
    p.read = QtConcurrent::run([path, seed = seed_, id = p.id] {
      read_file r;
      r.tags = ov_tag_data::from_file_quiet(path, &r.warnings);
      if (r.tags.is_valid()) r.zeros = new_score_field(seed, id);
      return r;
    });
    return p;
  };
  const qsizetype window = 4 * std::max(1, QThreadPool::globalInstance()->maxThreadCount());
  std::deque<pending> ahead;
  qsizetype started = 0;
  for (qsizetype i = 0; i < paths.size(); ++i) {
    while (started < paths.size() && started < i + window) ahead.push_back(start_read(paths[started++]));
    pending next = std::move(ahead.front());
    ahead.pop_front();
    if (next.id >= 0) {
      read_file r = next.read.result();
      ov_tag_data::log_warnings(r.warnings);
      add_read_file(std::make_unique<ov_track>(next.id, int(time), std::move(r.tags)), [&r] { return r.zeros; });
    }
    if (progress && !progress(i + 1)) break;
  }
  for (pending& p : ahead)
    if (p.id >= 0) p.read.waitForFinished();
  store_score_cache();
}

QString ov_library::new_score_field(const QString& seed, int id) {
  return encode_field(seed, ov_track(id, 0, {}).counters_text(), id);
}

void ov_library::add_read_file(std::unique_ptr<ov_track> track, const std::function<QString()>& zeros) {
  const QString path = track->tags().file_path();
  if (!track->is_valid()) {
    ov_log_write(ov_log::WARNING, QStringLiteral("adding music file"),
                 QStringLiteral("Failed to load tag data. skipping this file.  file=") + path);
    return;
  }
  ov_track* t = register_track(std::move(track));
  if (!t) return;

  bool inserted = false;
  if (db_ && db_->is_ok()) {
    ov_statement& st =
        cached(insert_statement_, QStringLiteral("INSERT INTO  library (id, filepath, title, album, artist, track_no, "
                                                 "length, timestamp_added)  VALUES (?, ?, ?, ?, ?, ?, ?, ?);"));
    const ov_tag_data& tags = t->tags();
    st.bind_int(1, t->id());
    st.bind_text(2, tags.file_path());
    st.bind_text(3, tags.title());
    st.bind_text(4, tags.album());
    st.bind_text(5, tags.artist());
    st.bind_int(6, int(tags.track_number()));
    st.bind_int(7, tags.length());
    st.bind_int(8, t->timestamp_added());
    inserted = st.write();
    st.reset();
  }
  if (!inserted) {
    // Without its row the track would vanish at the next start while
    // playlists already refer to it: it is not added at all.
    ov_log_write(ov_log::WARNING, QStringLiteral("adding music file"),
                 QStringLiteral("Failed to store the file in the library. skipping this file.  file=") + path);
    unregister(t);
    return;
  }
  t->set_dirty(true);
  // write_score with the field of a new track (all zeros).
  const QString stored = zeros();
  if (update_score(t->id(), stored)) stored_as(t, stored);
}

std::unique_ptr<ov_track> ov_library::unregister(ov_track* t) {
  paths_.removeOne(t->tags().file_path());
  return unindex(t);
}

std::unique_ptr<ov_track> ov_library::unindex(ov_track* t) {
  by_path_.remove(t->tags().file_path());
  by_id_.remove(t->id());
  for (ov_track_group* g : {t->album_group(), t->artist_group()})
    if (g) g->tracks.removeOne(t);
  t->set_album_group(nullptr);
  t->set_artist_group(nullptr);
  auto it = owned_.find(t);
  std::unique_ptr<ov_track> out = std::move(it->second);
  owned_.erase(it);
  return out;
}

std::unique_ptr<ov_track> ov_library::remove_track(const QString& path) {
  ov_track* t = by_path_.value(path, nullptr);
  if (!t) return nullptr;
  if (t->is_valid() && db_ && db_->is_ok()) {
    ov_statement st = db_->prepare(QStringLiteral("DELETE FROM library  WHERE  id = ?;"));
    st.bind_int(1, t->id());
    st.write();
  }
  return unregister(t);
}

void ov_library::delete_row(ov_statement& st, const ov_track* track) {
  if (!st || !track->is_valid()) return;
  st.bind_int(1, track->id());
  st.write();
  st.reset();
}

std::vector<std::unique_ptr<ov_track>> ov_library::remove_tracks(const QList<ov_track*>& tracks,
                                                                 const std::function<void(ov_track*)>& before_each,
                                                                 const std::function<bool(qsizetype)>& progress) {
  std::vector<std::unique_ptr<ov_track>> removed;
  ov_statement st;
  if (db_ && db_->is_ok()) st = db_->prepare(QStringLiteral("DELETE FROM library  WHERE  id = ?;"));
  for (qsizetype i = 0; i < tracks.size(); ++i) {
    ov_track* t = tracks.at(i);
    if (contains(t)) {
      if (before_each) before_each(t);
      delete_row(st, t);
      removed.push_back(unindex(t));
    }
    if (progress && !progress(i + 1)) break;
  }
  // One pass over the ordered paths instead of one search per track.
  if (!removed.empty()) paths_.removeIf([this](const QString& path) { return !by_path_.contains(path); });
  return removed;
}

void ov_library::write_score(ov_track* track) {
  if (!track || !track->is_dirty() || !track->is_valid() || !contains(track) || !db_ || !db_->is_ok()) return;
  // A score that did not reach the file stays dirty and is written again
  // with the next change or at exit.
  const QString stored = encode_field(seed_, track->counters_text(), track->id());
  if (update_score(track->id(), stored)) stored_as(track, stored);
}

void ov_library::stored_as(ov_track* track, const QString& stored) const {
  track->set_dirty(false);
  if (!score_cache_path_.isEmpty()) track->set_stored_fingerprint(ov_score_cache::fingerprint(stored));
}

void ov_library::store_score_cache() {
  if (score_cache_path_.isEmpty()) return;
  // A changed score not yet stored has no field the cache could name.
  std::vector<ov_score_cache::entry> entries;
  entries.reserve(owned_.size());
  for (const auto& [t, owned] : owned_)
    if (!t->is_dirty() && t->stored_fingerprint() != 0)
      entries.push_back({t->id(), t->stored_fingerprint(), t->all_counters()});
  std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.id < b.id; });
  score_cache_write_.waitForFinished();
  score_cache_write_ =
      QtConcurrent::run([cache = ov_score_cache(std::move(entries)), path = score_cache_path_, seed = seed_,
                         library = score_cache_library_] { cache.write(path, seed, library); });
}

bool ov_library::update_score(int id, const QString& stored) {
  if (!db_ || !db_->is_ok()) return false;
  ov_statement& st = cached(update_statement_, QStringLiteral("UPDATE library  SET s = ?  WHERE id = ?;"));
  st.bind_text(1, stored);
  st.bind_int(2, id);
  const bool done = st.write();
  st.reset();
  return done;
}

ov_statement& ov_library::cached(ov_statement& slot, const QString& sql) {
  if (!slot) slot = db_->prepare(sql);
  return slot;
}

bool ov_library::write_all_scores() {
  QList<ov_track*> dirty;
  for (const QString& path : std::as_const(paths_)) {
    ov_track* track = by_path_.value(path, nullptr);
    if (track && track->is_dirty()) dirty << track;
  }
  if (dirty.isEmpty()) return true;
  if (!db_ || !db_->is_ok()) {
    unstored_scores_ = int(dirty.size());
    return false;
  }
  // One transaction for the pass: at exit many tracks may be waiting.
  db_->begin_bulk();
  for (ov_track* track : std::as_const(dirty)) write_score(track);
  if (!db_->end_bulk()) mark_uncommitted(dirty);
  unstored_scores_ = int(std::count_if(dirty.cbegin(), dirty.cend(), [](const ov_track* t) { return t->is_dirty(); }));
  return unstored_scores_ == 0;
}

void ov_library::mark_uncommitted(const QList<ov_track*>& tracks) {
  // The rows were written inside a transaction that did not commit: none of
  // them reached the file.
  for (ov_track* t : tracks) t->set_dirty(true);
}

void ov_library::refuse_without_id(const QString& path) {
  ov_log_write(ov_log::WARNING, QStringLiteral("adding music file"),
               QStringLiteral("No library id is left. skipping this file.  file=") + path);
}

bool ov_library::contains_path(const QString& path) const {
  return by_path_.contains(path);
}

ov_track* ov_library::track_by_path(const QString& path) const {
  return by_path_.value(path, nullptr);
}

ov_track* ov_library::track_by_id(int id) const {
  return by_id_.value(id, nullptr);
}

bool ov_library::contains(const ov_track* track) const {
  return track && owned_.count(track) != 0;
}

QStringList collect_mp3_files(const QString& directory, qsizetype* unreadable) {
  collect_state state;
  collect_into(directory, state);
  if (unreadable) *unreadable += state.unreadable;
  if (state.hidden > 0)
    ov_log_write(ov_log::INFO, QStringLiteral("adding music file"),
                 QStringLiteral("Skipped %1 hidden entries below ").arg(state.hidden) + directory);
  return state.files;
}

QString ov_clean_file_path(const QString& path) {
  if (path.isEmpty()) return path;
  return QDir::cleanPath(QDir::isAbsolutePath(path) ? path : QDir::current().absoluteFilePath(path));
}
