#pragma once

#include "ov_database.h"
#include "ov_favorite_engine.h"
#include "ov_favorite_record.h"
#include "ov_field_codec.h"
#include "ov_schema.h"
#include "ov_scripted_random.h"
#include "ov_skill_set.h"
#include "ovd_skill.h"

#include <QList>
#include <QTemporaryDir>

#include <memory>

// A real favorite_engine.db in a temporary directory, and helpers to write
// its row directly the way the program stores it.
namespace ov_engine_test {

inline const QString seed = QStringLiteral("0f8c2a3e-5b7d-4e19-9a6c-2d4e6f8a0b1c");

struct engine_db {
  QTemporaryDir dir;
  std::unique_ptr<ov_database> db;

  engine_db() { reopen(); }
  void reopen() {
    db.reset();
    db = ov_open_database(dir.path(), QStringLiteral("favorite_engine"));
    // Hundreds of throwaway files per run: skip the syncs.
    (void)db->exec(QStringLiteral("PRAGMA synchronous = OFF;"));
  }

  // Writes row 1 from three stored (already enciphered) texts.
  bool write_stored(const QString& d1, const QString& d2, const QString& d3) const {
    ov_statement st =
        db->prepare(QStringLiteral("INSERT OR REPLACE INTO favorite_engine (id, d1, d2, d3) VALUES (1, ?, ?, ?);"));
    return st.bind_text(1, d1) && st.bind_text(2, d2) && st.bind_text(3, d3) && st.step_done();
  }
  // Writes row 1 from three plain texts, enciphered with the engine key.
  bool write_plain(const QString& p1, const QString& p2, const QString& p3, const QString& with_seed = seed) const {
    const QString w = ov_favorite_record::key_word();
    return write_stored(encode_field(with_seed, p1, w), encode_field(with_seed, p2, w), encode_field(with_seed, p3, w));
  }
  // The stored texts of row 1, empty when there is none.
  QStringList stored() const {
    ov_statement st = db->prepare(QStringLiteral("SELECT d1, d2, d3 FROM favorite_engine WHERE id = 1;"));
    if (!st.step_row()) return {};
    return {st.column_text(0), st.column_text(1), st.column_text(2)};
  }
  QStringList stored_plain() const {
    QStringList plain;
    for (const QString& s : stored()) plain << decode_field(seed, s, ov_favorite_record::key_word());
    return plain;
  }
  int row_count() const {
    ov_statement st = db->prepare(QStringLiteral("SELECT count(*) FROM favorite_engine;"));
    return st.step_row() ? st.column_int(0) : -1;
  }
};

// A real favorite_engine.db holding the given grade, skills and experience,
// and the engine that loads it.
struct engine_at {
  engine_db file;
  std::unique_ptr<ov_favorite_engine> engine;
  explicit engine_at(int grade, const QList<int>& skills = {}, int experience = 0) {
    QStringList ids;
    for (int id : skills) ids << QString::number(id);
    file.write_plain(QString::number(grade), QString::number(experience), ids.join(QLatin1Char(' ')));
    engine = std::make_unique<ov_favorite_engine>(file.db.get(), seed);
  }
  ov_favorite_engine* operator->() const { return engine.get(); }
};

inline ov_skill_set skill_set(const QList<int>& ids, int capacity = 0) {
  ov_skill_set set(capacity);
  for (int id : ids) set.add(ovd_skill::instance().find(id));
  return set;
}

inline QList<int> ids_of(const ov_skill_set& set) {
  QList<int> ids;
  for (const ovd_skill::skill* s : set.list()) ids << s->id;
  return ids;
}

using scripted_random = ov_scripted_random;

}  // namespace ov_engine_test
