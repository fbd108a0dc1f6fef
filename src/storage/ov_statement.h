#pragma once

#include <QString>

struct sqlite3;
struct sqlite3_stmt;

// One prepared SQLite statement, finalized when it goes out of scope.
// A statement whose preparation failed is null: binds fail, step_row and
// step_done return false and columns read as zero or empty; it keeps its
// SQL text and connection so that write() can say what failed and why.
class ov_statement {
public:
  ov_statement() = default;
  ov_statement(sqlite3_stmt* stmt, sqlite3* connection, const QString& sql)
      : stmt_(stmt), connection_(connection), sql_(sql) {}
  ~ov_statement();
  ov_statement(ov_statement&& other) noexcept;
  ov_statement& operator=(ov_statement&& other) noexcept;
  ov_statement(const ov_statement&) = delete;
  ov_statement& operator=(const ov_statement&) = delete;

  explicit operator bool() const { return stmt_ != nullptr; }
  sqlite3_stmt* get() const { return stmt_; }
  const QString& sql() const { return sql_; }

  // Bind indexes are 1-based; true on SQLITE_OK. A failed bind is also
  // remembered until reset(), so that write() refuses to run with it.
  bool bind_int(int index, int value);
  bool bind_int64(int index, qint64 value);
  bool bind_double(int index, double value);
  bool bind_bool(int index, bool value);
  // The text is copied by SQLite, so temporaries are safe.
  bool bind_text(int index, const QString& text);

  [[nodiscard]] bool step_row();   // true on SQLITE_ROW
  [[nodiscard]] bool step_done();  // true on SQLITE_DONE
  // step_done for a statement that changes the file. A failure (including a
  // failed prepare or bind) is never silent: it is reported here, through
  // ov_log_failed_write, so callers that carry on after it call write()
  // as a statement. The result is for callers that change course on a
  // failure (skip the file, keep a score to write again, roll back).
  bool write();
  bool reset();  // ready to bind and step again (bindings are kept)

  // Column indexes are 0-based.
  int column_int(int column) const;
  qint64 column_int64(int column) const;
  double column_double(int column) const;
  QString column_text(int column) const;  // NULL reads as ""

  void finalize();

private:
  bool note_bind(bool ok);

  sqlite3_stmt* stmt_ = nullptr;
  sqlite3* connection_ = nullptr;
  QString sql_;
  bool bind_failed_ = false;
};

// The one place where a write that did not reach the file is reported: logs
// the SQL and SQLite's message for the connection (tag "database") and
// passes the failure on to ov_write_failure.
void ov_log_failed_write(sqlite3* connection, const QString& sql, const QString& reason = QString());
