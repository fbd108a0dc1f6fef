#pragma once

#include "ov_medley_preset.h"

#include <QList>
#include <QString>

class ov_database;

// Reads and writes the presets table of presets.db. The handle is not owned
// and may be null (nothing is read or written then).
class ov_medley_preset_store {
public:
  explicit ov_medley_preset_store(ov_database* db) : db_(db) {}

  struct load_result {
    QList<ov_medley_preset> presets;
    // No row was read: the built-in presets were made and written. The main
    // window reports defaults_loaded_message() after start-up.
    bool defaults_loaded = false;
  };

  // Rows in position, id order; id 0 is always named "Default". Leaves the
  // handle's id counter at the largest id, so a new preset gets the next one.
  load_result load();
  // Deletes the removed ids, then writes every preset with its position set
  // to its index. False when any statement failed (each failure is logged).
  bool save(QList<ov_medley_preset>& presets, const QList<int>& removed_ids);

  bool insert(const ov_medley_preset& preset);
  bool insert_or_replace(const ov_medley_preset& preset);
  bool remove(int id);

  static QString defaults_loaded_message();

private:
  bool write(const QString& sql, const QString& log_prefix, const ov_medley_preset& preset);
  void write_built_in(load_result& result);

  ov_database* db_;
};
