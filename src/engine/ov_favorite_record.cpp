#include "ov_favorite_record.h"

#include "ov_database.h"
#include "ov_field_codec.h"
#include "ov_log.h"

#include <QStringList>

#include <algorithm>

namespace {
const QString log_tag = QStringLiteral("favorite_core");

void debug(const QString& text) {
  ov_log_write(ov_log::DEBUG, log_tag, text);
}
}  // namespace

ov_favorite_record ov_favorite_record::defaults() {
  ov_favorite_record r;
  r.grade = ov_grade_table::instance().first();
  r.experience = 0;
  r.skills = ov_skill_set(r.grade->skill_capacity);
  return r;
}

QString ov_favorite_record::key_word() {
  return QStringLiteral("quintessence");
}

QString ov_favorite_record::plain_grade() const {
  return grade ? QString::number(grade->index) : QString();
}

QString ov_favorite_record::plain_experience() const {
  return QString::number(experience);
}

bool ov_favorite_record::load(const ov_database* db, const QString& seed) {
  if (!db || !db->is_ok()) return false;
  ov_statement st = db->prepare(QStringLiteral("SELECT  id, d1, d2, d3  FROM favorite_engine  WHERE id = 1;"));
  if (!st.step_row()) return false;
  const QString d1 = st.column_text(1), d2 = st.column_text(2), d3 = st.column_text(3);
  st.finalize();
  debug(QStringLiteral("load d1= ") + d1);
  debug(QStringLiteral("load d2= ") + d2);
  debug(QStringLiteral("load d3= ") + d3);

  const QString plain1 = decode_field(seed, d1, key_word());
  const QString plain2 = decode_field(seed, d2, key_word());
  const QString plain3 = decode_field(seed, d3, key_word());
  debug(QStringLiteral("load dec1= ") + plain1);
  debug(QStringLiteral("load dec2= ") + plain2);
  debug(QStringLiteral("load dec3= ") + plain3);

  bool ok = false;
  const int grade_index = plain1.toInt(&ok, 10);
  if (!ok) return false;
  const ov_grade_table::grade* g = ov_grade_table::instance().find(grade_index);
  if (!g) return false;
  const int exp = plain2.toInt(&ok, 10);
  if (!ok) return false;

  ov_skill_set set(g->skill_capacity);
  debug(QStringLiteral("load dec3-capacity= ") + QString::number(set.capacity()));
  for (const QString& part : plain3.split(QLatin1Char(' '))) {
    const int id = part.toInt(&ok, 10);
    if (!ok) continue;
    if (const ovd_skill::skill* s = ovd_skill::instance().find(id)) set.add(s);
  }

  grade = g;
  experience = std::max(std::min(exp, g->exp_requirement), 0);
  skills = set;
  for (const ovd_skill::skill* s : skills.list()) debug(QStringLiteral("validate skill_id= ") + QString::number(s->id));
  return true;
}

bool ov_favorite_record::save(const ov_database* db, const QString& seed) const {
  if (!db || !db->is_ok() || !grade) return false;
  const QString d1 = encode_field(seed, plain_grade(), key_word());
  const QString d2 = encode_field(seed, plain_experience(), key_word());
  const QString d3 = encode_field(seed, plain_skills(), key_word());
  ov_statement st =
      db->prepare(QStringLiteral("INSERT OR REPLACE INTO  favorite_engine (id, d1, d2, d3)  VALUES (?, ?, ?, ?);"));
  st.bind_int(1, 1);
  st.bind_text(2, d1);
  st.bind_text(3, d2);
  st.bind_text(4, d3);
  const bool written = st.write();
  st.finalize();
  debug(QStringLiteral("write d1= ") + d1);
  debug(QStringLiteral("write d2= ") + d2);
  debug(QStringLiteral("write d3= ") + d3);
  if (!written)
    ov_log_write(ov_log::WARNING, log_tag,
                 QStringLiteral("failed to write the favorite engine record. file=") + db->path());
  return written;
}
