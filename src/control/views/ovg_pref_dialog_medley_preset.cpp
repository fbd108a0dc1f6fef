#include "ovg_pref_dialog_medley_preset.h"

#include "ov_log.h"
#include "ov_medley_preset_store.h"
#include "ovg_exec.h"
#include "ovg_pref_dialog_frame.h"
#include "ovgp_medley_presets.h"

ovg_pref_dialog_medley_preset::ovg_pref_dialog_medley_preset(const QList<ov_medley_preset>& presets, ov_database* db,
                                                             QWidget* parent)
    : QDialog(parent), page_(std::make_unique<ovgp_medley_presets>(presets, db)) {
  ovg_build_pref_dialog(this, tr("Pref (Medley Presets)"), page_->widget());
}

// The page goes first and takes its widget out of the tab widget.
ovg_pref_dialog_medley_preset::~ovg_pref_dialog_medley_preset() = default;

QList<ov_medley_preset> ovg_pref_dialog_medley_preset::presets() const {
  return page_->presets();
}

QList<int> ovg_pref_dialog_medley_preset::removed_ids() const {
  return page_->removed_ids();
}

int ovg_edit_medley_presets(QList<ov_medley_preset>& presets, ov_database* db, QWidget* parent) {
  ovg_pref_dialog_medley_preset dialog(presets, db, parent);
  const int result = ovg_exec(&dialog);
  ov_log_write(ov_log::DEBUG, QStringLiteral("mainwindow"),
               QStringLiteral("preferences dialog medley preset ret= ") + QString::number(result));
  if (result != QDialog::Accepted) return result;
  QList<ov_medley_preset> edited = dialog.presets();
  ov_medley_preset_store(db).save(edited, dialog.removed_ids());
  presets = edited;
  return result;
}
