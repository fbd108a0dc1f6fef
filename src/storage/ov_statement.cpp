#include "ov_statement.h"

#include "ov_log.h"
#include "ov_write_failure.h"

#include <sqlite3.h>

#include <utility>

ov_statement::~ov_statement() {
  finalize();
}

ov_statement::ov_statement(ov_statement&& other) noexcept
    : stmt_(std::exchange(other.stmt_, nullptr)),
      connection_(other.connection_),
      sql_(std::move(other.sql_)),
      bind_failed_(other.bind_failed_) {}

ov_statement& ov_statement::operator=(ov_statement&& other) noexcept {
  if (this != &other) {
    finalize();
    stmt_ = std::exchange(other.stmt_, nullptr);
    connection_ = other.connection_;
    sql_ = std::move(other.sql_);
    bind_failed_ = other.bind_failed_;
  }
  return *this;
}

bool ov_statement::note_bind(bool ok) {
  if (!ok) bind_failed_ = true;
  return ok;
}

bool ov_statement::bind_int(int index, int value) {
  return note_bind(stmt_ && sqlite3_bind_int(stmt_, index, value) == SQLITE_OK);
}

bool ov_statement::bind_int64(int index, qint64 value) {
  return note_bind(stmt_ && sqlite3_bind_int64(stmt_, index, sqlite3_int64(value)) == SQLITE_OK);
}

bool ov_statement::bind_double(int index, double value) {
  return note_bind(stmt_ && sqlite3_bind_double(stmt_, index, value) == SQLITE_OK);
}

bool ov_statement::bind_bool(int index, bool value) {
  return bind_int(index, value ? 1 : 0);
}

bool ov_statement::bind_text(int index, const QString& text) {
  return note_bind(stmt_ && sqlite3_bind_text16(stmt_, index, text.utf16(), int(text.size() * sizeof(char16_t)),
                                                SQLITE_TRANSIENT) == SQLITE_OK);
}

bool ov_statement::step_row() {
  return stmt_ && sqlite3_step(stmt_) == SQLITE_ROW;
}

bool ov_statement::step_done() {
  return stmt_ && sqlite3_step(stmt_) == SQLITE_DONE;
}

bool ov_statement::write() {
  if (!stmt_) {
    ov_log_failed_write(connection_, sql_);
    return false;
  }
  if (bind_failed_) {
    ov_log_failed_write(connection_, sql_, QStringLiteral("a value could not be bound"));
    return false;
  }
  if (sqlite3_step(stmt_) == SQLITE_DONE) return true;
  ov_log_failed_write(connection_, sql_);
  return false;
}

bool ov_statement::reset() {
  bind_failed_ = false;
  return stmt_ && sqlite3_reset(stmt_) == SQLITE_OK;
}

int ov_statement::column_int(int column) const {
  return stmt_ ? sqlite3_column_int(stmt_, column) : 0;
}

qint64 ov_statement::column_int64(int column) const {
  return stmt_ ? qint64(sqlite3_column_int64(stmt_, column)) : 0;
}

double ov_statement::column_double(int column) const {
  return stmt_ ? sqlite3_column_double(stmt_, column) : 0.0;
}

QString ov_statement::column_text(int column) const {
  if (!stmt_) return QStringLiteral("");
  const void* text = sqlite3_column_text16(stmt_, column);
  if (!text) return QStringLiteral("");
  const int bytes = sqlite3_column_bytes16(stmt_, column);
  return QString::fromUtf16(static_cast<const char16_t*>(text), bytes / int(sizeof(char16_t)));
}

void ov_statement::finalize() {
  if (stmt_) {
    sqlite3_finalize(stmt_);
    stmt_ = nullptr;
  }
}

void ov_log_failed_write(sqlite3* connection, const QString& sql, const QString& reason) {
  QString why = reason;
  if (why.isEmpty())
    why = connection ? QString::fromUtf8(sqlite3_errmsg(connection)) : QStringLiteral("no database connection");
  const char* file = connection ? sqlite3_db_filename(connection, "main") : nullptr;
  QString message = QStringLiteral("failed to write: ") + sql + QStringLiteral("  error=") + why;
  if (file && *file) message += QStringLiteral("  file=") + QString::fromUtf8(file);
  ov_log_write_flush(ov_log::WARNING, QStringLiteral("database"), message);
  ov_write_failure::report(file ? QString::fromUtf8(file) : QString(), why);
}
