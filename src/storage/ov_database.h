#pragma once

#include "ov_id_counter.h"
#include "ov_statement.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <mutex>

struct sqlite3;

// One SQLite file holding one data table: checks the file, opens or creates
// it, creates the table on first use, allocates ids and prepares statements.
// Problems while opening are collected as message texts and status flags.
class ov_database {
public:
  enum flag : quint32 {
    unknown_error = 1,  // the table still does not exist after creation
    created = 2,        // a new file was created
    open_failed = 4,    // sqlite3_open_v2 failed
    not_existed = 8,    // the file did not exist before opening
    not_regular = 16,   // the path exists but is not a regular file
    not_writable = 32,  // the file (or its directory) is not writable
    foreign = 64,       // the file holds something else than this table
    was_empty = 128,    // the file existed but held nothing (no data to keep)
  };

  ov_database(const QString& path, const QStringList& creation_statements, const QString& table);
  ~ov_database();
  ov_database(const ov_database&) = delete;
  ov_database& operator=(const ov_database&) = delete;

  bool is_ok() const { return ok_; }
  quint32 status_flags() const { return flags_; }
  QStringList information_messages() const { return information_; }
  QStringList error_messages() const { return errors_; }
  const QString& path() const { return path_; }
  const QString& table() const { return table_; }

  // Null statement when the handle has no connection or the SQL is bad.
  ov_statement prepare(const QString& sql) const;
  // prepare, step once, finalize; true when the step returned SQLITE_DONE.
  [[nodiscard]] bool exec(const QString& sql) const;
  // exec for a statement that changes the file; a failure is logged with
  // SQLite's own message.
  bool exec_write(const QString& sql) const;

  // The next id: one above the largest so far; once the largest int was
  // handed out, the lowest id that no row has (and that was not handed out
  // that way before). 0 only when every positive int is taken.
  [[nodiscard]] int next_id();
  void set_id(int value);
  // The largest id of the table that an int can hold (0 when none).
  int max_id() const;
  bool table_exists() const;
  // How long a statement waits for a lock another connection holds before
  // it fails (5 s unless set).
  void set_busy_patience(int ms) const;
  // Whether an id read from a row can be used as this program's id.
  static bool is_representable_id(qint64 id);

  // Around loops that write many rows. end_bulk is false (and logged) when
  // the transaction could not be committed, also when SQLite gave it up
  // after a failed write inside it; rollback_bulk drops it.
  void begin_bulk();
  bool end_bulk();
  void rollback_bulk();
  // Whether the transaction of begin_bulk is still open.
  bool in_bulk() const;
  // Whether the last end_bulk failed because the disk (or the file's size
  // limit) was full.
  bool last_commit_full() const { return last_commit_full_; }

private:
  void add_flag(flag f) { flags_ |= f; }
  bool check_path();
  bool directory_writable() const;
  // True when every object in the file belongs to this table's schema and
  // an existing table has this table's columns.
  bool holds_only_own_schema(const QStringList& creation_statements) const;
  int lowest_free_id();

  QString path_;
  QString table_;
  sqlite3* connection_ = nullptr;
  bool ok_ = false;
  std::unique_ptr<ov_id_counter> ids_;
  std::mutex free_ids_lock_;
  qint64 free_from_ = 1;    // lowest_free_id looks from here
  bool bulk_open_ = false;  // begin_bulk opened a transaction not ended since
  bool last_commit_full_ = false;
  quint32 flags_ = 0;
  QStringList information_;
  QStringList errors_;
};
