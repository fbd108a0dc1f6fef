#pragma once

#include <QString>

struct sqlite3_stmt;

// One prepared SQLite statement, finalized when it goes out of scope.
// A statement whose preparation failed is null: binds fail, step_row and
// step_done return false and columns read as zero or empty.
class ov_statement {
public:
  ov_statement() = default;
  explicit ov_statement(sqlite3_stmt* stmt) : stmt_(stmt) {}
  ~ov_statement();
  ov_statement(ov_statement&& other) noexcept : stmt_(other.stmt_) { other.stmt_ = nullptr; }
  ov_statement& operator=(ov_statement&& other) noexcept;
  ov_statement(const ov_statement&) = delete;
  ov_statement& operator=(const ov_statement&) = delete;

  explicit operator bool() const { return stmt_ != nullptr; }
  sqlite3_stmt* get() const { return stmt_; }

  // Bind indexes are 1-based; true on SQLITE_OK.
  bool bind_int(int index, int value);
  bool bind_double(int index, double value);
  bool bind_bool(int index, bool value);
  // The text is copied by SQLite, so temporaries are safe.
  bool bind_text(int index, const QString& text);

  bool step_row();   // true on SQLITE_ROW
  bool step_done();  // true on SQLITE_DONE
  bool reset();      // ready to bind and step again (bindings are kept)

  // Column indexes are 0-based.
  int column_int(int column) const;
  double column_double(int column) const;
  QString column_text(int column) const;  // NULL reads as ""

  void finalize();

private:
  sqlite3_stmt* stmt_ = nullptr;
};
