#include "ov_listening_history.h"

#include "ov_database.h"
#include "ov_log.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <sqlite3.h>

#include <algorithm>
#include <initializer_list>

namespace {

const QString log_tag = QStringLiteral("history");

// Whether SQLite can read the file's schema. Opened for writing, so that a
// transaction cut short by a killed process is rolled back, not taken for damage.
bool readable_as_database(const QString& path) {
  sqlite3* connection = nullptr;
  bool ok = sqlite3_open_v2(path.toUtf8().constData(), &connection, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK;
  if (ok) ok = sqlite3_exec(connection, "SELECT COUNT(*) FROM sqlite_master;", nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_close(connection);
  return ok;
}

bool exists(const QString& path) {
  const QFileInfo info(path);
  return info.exists() || info.isSymLink();
}

// The handle of a usable history file (made when missing), or null when the
// file there is not one.
std::unique_ptr<ov_database> open_sound(const QString& path) {
  const bool existed = exists(path);
  if (existed && (!QFileInfo(path).isFile() || !readable_as_database(path))) return nullptr;
  auto db = std::make_unique<ov_database>(path, ov_listening_history::creation_statements(), QStringLiteral("awards"));
  if (!db->is_ok() || !db->error_messages().isEmpty()) return nullptr;
  // The handle makes the tables only when the first is missing; a file cut
  // short while it was made gets the rest here.
  for (const QString& sql : ov_listening_history::creation_statements())
    if (!db->exec_write(sql)) return nullptr;
  // A write-ahead log synced only at its checkpoints: the commit of every
  // second costs no flush to the disk (a rollback journal's takes tens of
  // milliseconds), a killed process loses nothing committed, and a power cut
  // at worst the last commits, never the file.
  ov_statement wal = db->prepare(QStringLiteral("PRAGMA journal_mode = WAL;"));
  (void)wal.step_row();
  (void)db->exec(QStringLiteral("PRAGMA synchronous = NORMAL;"));
  if (!existed) ov_log_write(ov_log::INFO, log_tag, QStringLiteral("created a new file ") + path);
  return db;
}

// Renames the file (and its journal) to <path>.damaged-<local time>; the
// new name, or empty when it could not be renamed.
QString keep_aside(const QString& path) {
  const QString stem =
      path + QStringLiteral(".damaged-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_hhmmss"));
  QString target = stem;
  for (int n = 2; exists(target); ++n) target = stem + QLatin1Char('-') + QString::number(n);
  if (!QDir().rename(path, target)) return QString();
  for (const char* suffix : {"-journal", "-wal", "-shm"})
    if (exists(path + QLatin1String(suffix)))
      QDir().rename(path + QLatin1String(suffix), target + QLatin1String(suffix));
  return target;
}

// Binds the values in order, writes and makes the statement ready again.
bool write_row(ov_statement& st, std::initializer_list<qint64> values) {
  int index = 0;
  for (const qint64 value : values) st.bind_int64(++index, value);
  const bool done = st.write();
  st.reset();
  return done;
}

}  // namespace

ov_listening_history::ov_listening_history(std::unique_ptr<ov_database> db, QObject* parent)
    : QObject(parent), db_(std::move(db)) {
  insert_award_ =
      db_->prepare(QStringLiteral("INSERT INTO awards (time, track_id, kind, points, grade)  VALUES (?, ?, ?, ?, ?);"));
  insert_play_ =
      db_->prepare(QStringLiteral("INSERT INTO plays (time, track_id, seconds, mode)  VALUES (?, ?, ?, ?);"));
  update_play_ = db_->prepare(QStringLiteral("UPDATE plays  SET seconds = ?  WHERE rowid = ?;"));
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &ov_listening_history::commit);
}

ov_listening_history::~ov_listening_history() {
  commit();
}

QStringList ov_listening_history::creation_statements() {
  return {QStringLiteral("CREATE TABLE IF NOT EXISTS awards (time INTEGER NOT NULL, track_id INTEGER NOT NULL, "
                         "kind INTEGER NOT NULL, points INTEGER NOT NULL, grade INTEGER NOT NULL);"),
          QStringLiteral("CREATE TABLE IF NOT EXISTS plays (time INTEGER NOT NULL, track_id INTEGER NOT NULL, "
                         "seconds INTEGER NOT NULL, mode INTEGER NOT NULL);"),
          QStringLiteral("CREATE INDEX IF NOT EXISTS awards_time ON awards(time);"),
          QStringLiteral("CREATE INDEX IF NOT EXISTS plays_time ON plays(time);")};
}

void ov_listening_history::record_award(qint64 time, int track_id, int kind, int points, int grade) {
  awards_.push_back({time, track_id, kind, points, grade});
  schedule();
}

void ov_listening_history::record_play(qint64 time, int track_id, int seconds, play_mode mode) {
  if (!open_.is(time, track_id, int(mode))) {
    plays_.push_back({time, track_id, seconds, int(mode)});
    open_ = open_play{plays_.back(), 0, true};
  } else if (open_.rowid == 0) {
    plays_.back().seconds = seconds;
  } else if (!updates_.empty() && updates_.back().rowid == open_.rowid) {
    updates_.back().seconds = seconds;
  } else {
    updates_.push_back({open_.rowid, seconds});
  }
  schedule();
}

int ov_listening_history::pending() const {
  return int(awards_.size() + plays_.size() + updates_.size());
}

// The first commit after a quiet second runs as soon as the event loop is
// back, so the rows of one command go together; later ones wait for the
// second since the last commit to pass.
void ov_listening_history::schedule() {
  if (timer_.isActive()) return;
  const qint64 since = since_commit_.isValid() ? since_commit_.elapsed() : commit_interval_ms;
  timer_.start(int(std::max<qint64>(0, commit_interval_ms - since)));
}

bool ov_listening_history::commit() {
  timer_.stop();
  if (pending() == 0) return true;
  since_commit_.start();
  const qint64 open_rowid = open_.rowid;
  const int rows = pending();
  if (!db_->exec_write(QStringLiteral("BEGIN;"))) return false;
  if (!write_pending() || !db_->exec_write(QStringLiteral("COMMIT;"))) {
    (void)db_->exec(QStringLiteral("ROLLBACK;"));
    open_.rowid = open_rowid;
    return false;
  }
  awards_.clear();
  plays_.clear();
  updates_.clear();
  emit esignal_committed(rows);
  return true;
}

bool ov_listening_history::write_pending() {
  for (const award_row& a : awards_)
    if (!write_row(insert_award_, {a.time, a.track_id, a.kind, a.points, a.grade})) return false;
  for (const play_row& p : plays_)
    if (!write_row(insert_play_, {p.time, p.track_id, p.seconds, p.mode})) return false;
  if (open_.valid && open_.rowid == 0 && !plays_.empty()) {
    ov_statement last = db_->prepare(QStringLiteral("SELECT last_insert_rowid();"));
    if (!last.step_row()) return false;
    open_.rowid = last.column_int64(0);
  }
  for (const play_update& u : updates_)
    if (!write_row(update_play_, {u.seconds, u.rowid})) return false;
  return true;
}

ov_history_opening ov_open_listening_history(const QString& conf_dir) {
  const QString path = conf_dir + QLatin1Char('/') + ov_listening_history::file_name();
  ov_history_opening result;
  std::unique_ptr<ov_database> db = open_sound(path);
  if (!db && exists(path)) {
    result.kept_as = keep_aside(path);
    if (!result.kept_as.isEmpty()) {
      ov_log_write_flush(ov_log::WARNING, log_tag,
                         QStringLiteral("the listening history was damaged; a new one is started.  kept the old "
                                        "file as ") +
                             result.kept_as);
      db = open_sound(path);
    }
  }
  if (!db) {
    ov_log_write_flush(ov_log::WARNING, log_tag,
                       QStringLiteral("cannot open the listening history; nothing is recorded.  file=") + path);
    return result;
  }
  result.history = std::make_unique<ov_listening_history>(std::move(db));
  return result;
}

QString ov_history_damaged_text(const QString& kept_as) {
  return QCoreApplication::translate("ov_listening_history",
                                     "The listening history could not be read, so a new one was started.  The old "
                                     "file was kept as %1.")
      .arg(kept_as);
}

QString ov_history_unavailable_text() {
  return QCoreApplication::translate("ov_listening_history",
                                     "The listening history conf/history.db could not be opened, so what is played "
                                     "in this run is not recorded.  Please check the log.");
}
