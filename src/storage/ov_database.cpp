#include "ov_database.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <sqlite3.h>
#include <unistd.h>

#include <limits>

namespace {

// Column names of a "CREATE TABLE name(col type,  col type, ...);" text.
QStringList column_names(const QString& create_table) {
  const qsizetype open = create_table.indexOf(QLatin1Char('('));
  const qsizetype close = create_table.lastIndexOf(QLatin1Char(')'));
  QStringList names;
  if (open < 0 || close <= open) return names;
  const QStringList columns = create_table.mid(open + 1, close - open - 1).split(QLatin1Char(','));
  for (const QString& column : columns) names << column.trimmed().section(QLatin1Char(' '), 0, 0);
  return names;
}

// The names of the tables and indexes that "CREATE [UNIQUE] TABLE|INDEX
// [IF NOT EXISTS] name ..." statements make.
QSet<QString> created_names(const QStringList& statements, const QString& type) {
  static const QRegularExpression create(
      QStringLiteral("^CREATE\\s+(?:UNIQUE\\s+)?(TABLE|INDEX)\\s+(?:IF\\s+NOT\\s+EXISTS\\s+)?(\\w+)"),
      QRegularExpression::CaseInsensitiveOption);
  QSet<QString> names;
  for (const QString& sql : statements) {
    const QRegularExpressionMatch m = create.match(sql);
    if (m.hasMatch() && m.captured(1).compare(type, Qt::CaseInsensitive) == 0) names << m.captured(2);
  }
  return names;
}

// How long a statement waits for a lock another connection holds.
constexpr int busy_patience_ms = 5000;

// The messages start-up shows the user, in the language in effect (the
// translation is installed before the databases open).
QString message(const char* text, const QString& path = QString()) {
  const QString translated = QCoreApplication::translate("ov_database", text);
  return path.isNull() ? translated : translated.arg(path);
}

}  // namespace

ov_database::ov_database(const QString& path, const QStringList& creation_statements, const QString& table)
    : path_(path), table_(table) {
  if (!check_path()) return;

  const QByteArray utf8 = path.toUtf8();
  if (sqlite3_open_v2(utf8.constData(), &connection_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
      SQLITE_OK) {
    // sqlite3_open_v2 may hand back a connection even on failure; it must be closed.
    sqlite3_close(connection_);
    connection_ = nullptr;
    errors_ << message("failed to open a file %1", path);
    add_flag(open_failed);
    return;
  }
  // Another program reading the file (a backup, the sqlite3 command) holds
  // its lock for a moment: a write waits for it instead of failing at once,
  // which would lose what was being stored.
  set_busy_patience(busy_patience_ms);
  // A file that holds someone else's data is the user's: nothing is written into it.
  if (!holds_only_own_schema(creation_statements)) {
    errors_ << message("file %1 holds other data than this program's.", path);
    add_flag(foreign);
    sqlite3_close_v2(connection_);
    connection_ = nullptr;
    return;
  }

  ok_ = true;
  if (flags_ & not_existed) {
    information_ << message("created a new file.");
    add_flag(created);
  }
  ids_ = std::make_unique<ov_id_counter>(max_id());
  if (!table_exists()) {
    for (const QString& sql : creation_statements) exec_write(sql);
    ok_ = table_exists();
  }
  if (!ok_) {
    errors_ << message("unknown error on opening a file %1", path);
    add_flag(unknown_error);
  }
}

ov_database::~ov_database() {
  if (connection_) sqlite3_close_v2(connection_);
}

bool ov_database::check_path() {
  const QFileInfo info(path_);
  if (!info.exists() && !info.isSymLink()) {
    information_ << message("file %1 didn't exist.", path_);
    add_flag(not_existed);
  } else if (!info.isFile()) {
    errors_ << message("file %1 is not a regular file.", path_);
    add_flag(not_regular);
    return false;
  } else if (!info.isWritable()) {
    errors_ << message("file %1 is not writable.", path_);
    add_flag(not_writable);
    return false;
  } else if (info.size() == 0) {
    add_flag(was_empty);
  }
  // SQLite makes its journal beside the file: without a writable directory
  // every later write would fail.
  if (!directory_writable()) {
    errors_ << message("directory %1 is not writable.", info.path());
    add_flag(not_writable);
    return false;
  }
  return true;
}

bool ov_database::directory_writable() const {
  const QString dir = QFileInfo(path_).path();
  // A missing directory is left to the open call, which reports it.
  if (!QFileInfo(dir).isDir()) return true;
  return ::access(QFile::encodeName(dir).constData(), W_OK | X_OK) == 0;
}

bool ov_database::holds_only_own_schema(const QStringList& creation_statements) const {
  ov_statement st = prepare(QStringLiteral("SELECT type, name, tbl_name  FROM sqlite_master;"));
  // A file SQLite cannot read at all is left to the table check, which fails
  // without writing anything.
  if (!st) return true;
  // A file of several tables names the others and its indexes in its
  // creation statements.
  const QSet<QString> own_tables =
      created_names(creation_statements, QStringLiteral("table")) + QSet<QString>{QStringLiteral("version")};
  const QSet<QString> own_indexes = created_names(creation_statements, QStringLiteral("index")) +
                                    QSet<QString>{QStringLiteral("idx_id"), QStringLiteral("idx_filepath")};
  bool has_table = false;
  while (st.step_row()) {
    const QString type = st.column_text(0);
    const QString name = st.column_text(1);
    const QString owner = st.column_text(2);
    if (name.startsWith(QLatin1String("sqlite_"))) continue;
    if (type == QLatin1String("table") && name == table_) {
      has_table = true;
    } else if (type == QLatin1String("table") && own_tables.contains(name)) {
    } else if (type == QLatin1String("index") && own_indexes.contains(name) &&
               (owner == table_ || own_tables.contains(owner))) {
    } else {
      return false;
    }
  }
  if (!has_table || creation_statements.isEmpty()) return true;

  ov_statement columns = prepare(QStringLiteral("PRAGMA table_info(") + table_ + QStringLiteral(");"));
  QStringList found;
  while (columns.step_row()) found << columns.column_text(1);
  return found == column_names(creation_statements.first());
}

ov_statement ov_database::prepare(const QString& sql) const {
  if (!connection_) return ov_statement(nullptr, nullptr, sql);
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare16_v2(connection_, sql.utf16(), -1, &stmt, nullptr) != SQLITE_OK) {
    sqlite3_finalize(stmt);
    return ov_statement(nullptr, connection_, sql);
  }
  return ov_statement(stmt, connection_, sql);
}

bool ov_database::exec(const QString& sql) const {
  ov_statement stmt = prepare(sql);
  return stmt && stmt.step_done();
}

bool ov_database::exec_write(const QString& sql) const {
  ov_statement stmt = prepare(sql);
  return stmt.write();
}

int ov_database::next_id() {
  if (!ids_) return 0;
  if (const int id = ids_->next()) return id;
  return lowest_free_id();
}

int ov_database::lowest_free_id() {
  std::lock_guard locker(free_ids_lock_);
  ov_statement st =
      prepare(QStringLiteral("SELECT id  FROM ") + table_ + QStringLiteral("  WHERE id >= ?  ORDER BY id ASC;"));
  if (!st || !st.bind_int64(1, free_from_)) return 0;
  // Ids are unique and sorted: the first one that is not the candidate
  // leaves the candidate free.
  qint64 candidate = free_from_;
  while (candidate <= std::numeric_limits<int>::max() && st.step_row() && st.column_int64(0) == candidate) ++candidate;
  if (candidate > std::numeric_limits<int>::max()) return 0;
  free_from_ = candidate + 1;
  return int(candidate);
}

void ov_database::set_id(int value) {
  if (ids_) ids_->set(value);
}

bool ov_database::is_representable_id(qint64 id) {
  return id >= std::numeric_limits<int>::min() && id <= std::numeric_limits<int>::max();
}

int ov_database::max_id() const {
  if (!ok_) return 0;
  ov_statement stmt = prepare(QStringLiteral("SELECT MAX(id)  FROM ") + table_ + QStringLiteral(";"));
  if (!stmt || !stmt.step_row()) return 0;
  const qint64 highest = stmt.column_int64(0);
  if (is_representable_id(highest)) return int(highest);
  // Rows with ids an int cannot hold are refused when they are read; new ids
  // continue after the largest one that can be used.
  ov_statement bounded =
      prepare(QStringLiteral("SELECT MAX(id)  FROM ") + table_ + QStringLiteral("  WHERE id <= 2147483647;"));
  if (!bounded || !bounded.step_row()) return 0;
  return int(bounded.column_int64(0));
}

void ov_database::set_busy_patience(int ms) const {
  if (connection_) sqlite3_busy_timeout(connection_, ms);
}

bool ov_database::table_exists() const {
  ov_statement stmt =
      prepare(QStringLiteral("SELECT sql  FROM sqlite_master  WHERE  sql LIKE 'CREATE TABLE ") + table_ +
              QStringLiteral("(%'  OR  sql LIKE 'CREATE TABLE ") + table_ + QStringLiteral(" (%';"));
  if (!stmt || !stmt.step_row()) return false;
  static const QRegularExpression create(QStringLiteral("^CREATE TABLE "));
  return create.match(stmt.column_text(0)).hasMatch();
}

void ov_database::begin_bulk() {
  // A failure here only costs speed: the writes then commit one by one.
  (void)exec(QStringLiteral("PRAGMA synchronous = OFF;"));
  (void)exec(QStringLiteral("BEGIN TRANSACTION;"));
  bulk_open_ = connection_ && !sqlite3_get_autocommit(connection_);
}

bool ov_database::in_bulk() const {
  return bulk_open_ && connection_ && !sqlite3_get_autocommit(connection_);
}

bool ov_database::end_bulk() {
  // SQLite refuses to change the safety level inside a transaction, so the
  // transaction ends first; otherwise the connection would stay unsynced.
  bool committed = true;
  last_commit_full_ = false;
  if (bulk_open_ && !in_bulk()) {
    // SQLite rolled the transaction back after a write inside it failed:
    // what was written before that is gone.
    ov_log_failed_write(connection_, QStringLiteral("END TRANSACTION;"),
                        QStringLiteral("the transaction was rolled back after a failed write"));
    last_commit_full_ = sqlite3_errcode(connection_) == SQLITE_FULL;
    committed = false;
  } else if (connection_ && !sqlite3_get_autocommit(connection_)) {
    committed = exec_write(QStringLiteral("END TRANSACTION;"));
    last_commit_full_ = !committed && sqlite3_errcode(connection_) == SQLITE_FULL;
    // A commit that failed leaves the transaction open: give it up, so the
    // next write does not silently join it.
    if (!committed) (void)exec(QStringLiteral("ROLLBACK;"));
  }
  bulk_open_ = false;
  (void)exec(QStringLiteral("PRAGMA synchronous = FULL;"));
  return committed;
}

void ov_database::rollback_bulk() {
  if (connection_ && !sqlite3_get_autocommit(connection_)) (void)exec(QStringLiteral("ROLLBACK;"));
  bulk_open_ = false;
  (void)exec(QStringLiteral("PRAGMA synchronous = FULL;"));
}
