#include "ov_medley_preset_store.h"

#include "ov_database.h"
#include "ov_log.h"

#include <QCoreApplication>

#include <algorithm>

namespace {

const QString log_tag = QStringLiteral("mainwindow");

const QString columns = QStringLiteral(
    "id, name, position, fi_smin, fi_smax, fl_smin, fl_smax, fo_smin, fo_smax, sp_smin, sp_smax, fl_rmin, "
    "fl_rmax, sp_rmin, sp_rmax, fl_senabled, sp_senabled, adjust_fade_length_enabled, "
    "no_fade_on_begin_end_enabled, longer_on_high_scored_ones_enabled");

const QString read_sql =
    QStringLiteral("SELECT  ") + columns + QStringLiteral("  FROM presets  ORDER BY position, id ASC;");
const QString values_sql = QStringLiteral(")  VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?);");
const QString insert_sql = QStringLiteral("INSERT INTO  presets (") + columns + values_sql;
const QString insert_or_replace_sql = QStringLiteral("INSERT OR REPLACE INTO  presets (") + columns + values_sql;
const QString delete_sql = QStringLiteral("DELETE FROM presets  WHERE  id = ?;");

ov_medley_preset preset_from_row(const ov_statement& s) {
  ov_medley_preset p;
  int c = 0;
  p.id = s.column_int(c++);
  p.name = s.column_text(c++);
  p.position = s.column_int(c++);
  for (double* d : {&p.fi_smin, &p.fi_smax, &p.fl_smin, &p.fl_smax, &p.fo_smin, &p.fo_smax, &p.sp_smin, &p.sp_smax})
    *d = s.column_double(c++);
  for (int* i : {&p.fl_rmin, &p.fl_rmax, &p.sp_rmin, &p.sp_rmax}) *i = s.column_int(c++);
  for (bool* b : {&p.fl_senabled, &p.sp_senabled, &p.adjust_fade_length_enabled, &p.no_fade_on_begin_end_enabled,
                  &p.longer_on_high_scored_ones_enabled})
    *b = s.column_int(c++) != 0;
  if (p.id == ov_medley_preset::default_id) p.name = ov_medley_preset::default_name();
  return p;
}

// A failed bind is remembered by the statement, whose write() then refuses.
void bind_preset(ov_statement& s, const ov_medley_preset& p) {
  int i = 1;
  s.bind_int(i++, p.id);
  s.bind_text(i++, p.name);
  s.bind_int(i++, p.position);
  for (double d : {p.fi_smin, p.fi_smax, p.fl_smin, p.fl_smax, p.fo_smin, p.fo_smax, p.sp_smin, p.sp_smax})
    s.bind_double(i++, d);
  for (int v : {p.fl_rmin, p.fl_rmax, p.sp_rmin, p.sp_rmax}) s.bind_int(i++, v);
  for (bool b : {p.fl_senabled, p.sp_senabled, p.adjust_fade_length_enabled, p.no_fade_on_begin_end_enabled,
                 p.longer_on_high_scored_ones_enabled})
    s.bind_bool(i++, b);
}

}  // namespace

ov_medley_preset_store::load_result ov_medley_preset_store::load() {
  load_result result;
  if (db_ && db_->is_ok()) {
    ov_statement s = db_->prepare(read_sql);
    int largest = 0;
    while (s && s.step_row()) {
      result.presets << preset_from_row(s);
      largest = std::max(largest, result.presets.last().id);
    }
    if (!result.presets.isEmpty()) db_->set_id(largest);
  }
  if (result.presets.isEmpty()) write_built_in(result);
  return result;
}

void ov_medley_preset_store::write_built_in(load_result& result) {
  result.presets = ov_medley_preset::built_in();
  result.defaults_loaded = true;
  if (db_) db_->set_id(static_cast<int>(result.presets.size()));
  for (const ov_medley_preset& p : result.presets) insert(p);
}

bool ov_medley_preset_store::save(QList<ov_medley_preset>& presets, const QList<int>& removed_ids) {
  bool ok = true;
  for (int id : removed_ids) ok = remove(id) && ok;
  for (int i = 0; i < presets.size(); ++i) {
    presets[i].position = i;
    ok = insert_or_replace(presets[i]) && ok;
  }
  return ok;
}

bool ov_medley_preset_store::insert(const ov_medley_preset& preset) {
  return write(insert_sql, QStringLiteral("preset inserted: "), preset);
}

bool ov_medley_preset_store::insert_or_replace(const ov_medley_preset& preset) {
  return write(insert_or_replace_sql, QStringLiteral("preset inserted or replaced: "), preset);
}

bool ov_medley_preset_store::write(const QString& sql, const QString& log_prefix, const ov_medley_preset& preset) {
  if (!db_) return false;
  ov_statement s = db_->prepare(sql);
  bind_preset(s, preset);
  const bool ok = s.write();
  if (ok)
    ov_log_write(ov_log::DEBUG, log_tag, log_prefix + preset.description());
  else
    ov_log_write(ov_log::WARNING, log_tag, QStringLiteral("preset write failed: ") + preset.description());
  return ok;
}

bool ov_medley_preset_store::remove(int id) {
  if (!db_) return false;
  ov_statement s = db_->prepare(delete_sql);
  s.bind_int(1, id);
  const bool ok = s.write();
  if (ok)
    ov_log_write(ov_log::DEBUG, log_tag, QStringLiteral("preset deleted id= ") + QString::number(id));
  else
    ov_log_write(ov_log::WARNING, log_tag, QStringLiteral("preset delete failed id= ") + QString::number(id));
  return ok;
}

QString ov_medley_preset_store::defaults_loaded_message() {
  return QCoreApplication::translate(
      "ov_medley_preset_store",
      "Failed to load presets data from db file.  Loaded default presets.  If you did not expect this situation, "
      "please try to replace db file from backup dir.");
}
