#include "ov_statement.h"

#include <sqlite3.h>

ov_statement::~ov_statement() {
  finalize();
}

ov_statement& ov_statement::operator=(ov_statement&& other) noexcept {
  if (this != &other) {
    finalize();
    stmt_ = other.stmt_;
    other.stmt_ = nullptr;
  }
  return *this;
}

bool ov_statement::bind_int(int index, int value) {
  return stmt_ && sqlite3_bind_int(stmt_, index, value) == SQLITE_OK;
}

bool ov_statement::bind_double(int index, double value) {
  return stmt_ && sqlite3_bind_double(stmt_, index, value) == SQLITE_OK;
}

bool ov_statement::bind_bool(int index, bool value) {
  return bind_int(index, value ? 1 : 0);
}

bool ov_statement::bind_text(int index, const QString& text) {
  return stmt_ && sqlite3_bind_text16(stmt_, index, text.utf16(), int(text.size() * sizeof(char16_t)),
                                      SQLITE_TRANSIENT) == SQLITE_OK;
}

bool ov_statement::step_row() {
  return stmt_ && sqlite3_step(stmt_) == SQLITE_ROW;
}

bool ov_statement::step_done() {
  return stmt_ && sqlite3_step(stmt_) == SQLITE_DONE;
}

bool ov_statement::reset() {
  return stmt_ && sqlite3_reset(stmt_) == SQLITE_OK;
}

int ov_statement::column_int(int column) const {
  return stmt_ ? sqlite3_column_int(stmt_, column) : 0;
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
