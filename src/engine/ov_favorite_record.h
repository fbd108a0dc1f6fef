#pragma once

#include "ov_grade_table.h"
#include "ov_skill_set.h"

#include <QString>

class ov_database;

// The stored progress of the favorite engine: row 1 of the favorite_engine
// table, with the grade index, the experience and the selected skill ids
// each enciphered under the seed followed by the engine key word.
class ov_favorite_record {
public:
  const ov_grade_table::grade* grade = nullptr;
  int experience = 0;
  ov_skill_set skills;

  // The defaults used when nothing usable is stored: Rusty, no experience,
  // an empty set with Rusty's capacity.
  static ov_favorite_record defaults();

  // The fixed word that completes the field key of the three columns.
  static QString key_word();

  // Reads and deciphers row 1. False (and the record untouched) when the
  // handle is not open, no row exists, or the grade index or experience
  // cannot be read. Unknown skill ids are dropped; the experience is clamped
  // to 0 .. the grade's requirement.
  bool load(const ov_database* db, const QString& seed);
  // Writes row 1 (insert or replace). False when the handle is not open or
  // the write fails.
  bool save(const ov_database* db, const QString& seed) const;

  // Plain texts of the three columns.
  QString plain_grade() const;
  QString plain_experience() const;
  QString plain_skills() const { return skills.ids_text(); }
};
