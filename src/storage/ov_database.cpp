#include "ov_database.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <sqlite3.h>

ov_database::ov_database(const QString& path, const QStringList& creation_statements, const QString& table)
    : path_(path), table_(table) {
  const QFileInfo info(path);
  if (!info.exists() && !info.isSymLink()) {
    information_ << QStringLiteral("file ") + path + QStringLiteral(" didn't exist.");
    add_flag(not_existed);
  } else if (!info.isFile()) {
    errors_ << QStringLiteral("file ") + path + QStringLiteral(" is not a regular file.");
    add_flag(not_regular);
    return;
  } else if (!info.isWritable()) {
    errors_ << QStringLiteral("file ") + path + QStringLiteral(" is not writable.");
    add_flag(not_writable);
    return;
  }

  const QByteArray utf8 = path.toUtf8();
  if (sqlite3_open_v2(utf8.constData(), &connection_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
      SQLITE_OK) {
    // sqlite3_open_v2 may hand back a connection even on failure; it must be closed.
    sqlite3_close(connection_);
    connection_ = nullptr;
    errors_ << QStringLiteral("failed to open a file ") + path;
    add_flag(open_failed);
    return;
  }

  ok_ = true;
  if (flags_ & not_existed) {
    information_ << QStringLiteral("created a new file.");
    add_flag(created);
  }
  ids_ = std::make_unique<ov_id_counter>(max_id() + 1);
  if (!table_exists()) {
    for (const QString& sql : creation_statements) exec(sql);
    ok_ = table_exists();
  }
  if (!ok_) {
    errors_ << QStringLiteral("unknown error on opening a file ") + path;
    add_flag(unknown_error);
  }
}

ov_database::~ov_database() {
  if (connection_) sqlite3_close_v2(connection_);
}

ov_statement ov_database::prepare(const QString& sql) const {
  if (!connection_) return ov_statement();
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare16_v2(connection_, sql.utf16(), -1, &stmt, nullptr) != SQLITE_OK) {
    sqlite3_finalize(stmt);
    return ov_statement();
  }
  return ov_statement(stmt);
}

bool ov_database::exec(const QString& sql) const {
  ov_statement stmt = prepare(sql);
  return stmt && stmt.step_done();
}

int ov_database::next_id() {
  return ids_ ? ids_->next() : 0;
}

void ov_database::set_id(int value) {
  if (ids_) ids_->set(value);
}

int ov_database::max_id() const {
  if (!ok_) return 0;
  ov_statement stmt = prepare(QStringLiteral("SELECT MAX(id)  FROM ") + table_ + QStringLiteral(";"));
  if (!stmt || !stmt.step_row()) return 0;
  return stmt.column_int(0);
}

bool ov_database::table_exists() const {
  ov_statement stmt = prepare(QStringLiteral("SELECT sql  FROM sqlite_master  WHERE  sql LIKE 'CREATE TABLE ") + table_ +
                              QStringLiteral("(%'  OR  sql LIKE 'CREATE TABLE ") + table_ + QStringLiteral(" (%';"));
  if (!stmt || !stmt.step_row()) return false;
  static const QRegularExpression create(QStringLiteral("^CREATE TABLE "));
  return create.match(stmt.column_text(0)).hasMatch();
}

void ov_database::begin_bulk() const {
  exec(QStringLiteral("PRAGMA synchronous = OFF;"));
  exec(QStringLiteral("BEGIN TRANSACTION;"));
}

void ov_database::end_bulk() const {
  // SQLite refuses to change the safety level inside a transaction, so the
  // transaction ends first; otherwise the connection would stay unsynced.
  exec(QStringLiteral("END TRANSACTION;"));
  exec(QStringLiteral("PRAGMA synchronous = FULL;"));
}
