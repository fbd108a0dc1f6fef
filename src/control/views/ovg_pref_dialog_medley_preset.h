#pragma once

#include "ov_medley_preset.h"

#include <QDialog>
#include <QList>

#include <memory>

class ov_database;
class ovgp_medley_presets;

// "Pref (Medley Presets)": the presets page as the only (tab-less) tab, OK
// and Cancel. Edits copies of the presets it is given.
class ovg_pref_dialog_medley_preset : public QDialog {
  Q_OBJECT

public:
  ovg_pref_dialog_medley_preset(const QList<ov_medley_preset>& presets, ov_database* db, QWidget* parent = nullptr);
  ~ovg_pref_dialog_medley_preset() override;

  ovgp_medley_presets* page() const { return page_.get(); }
  // The edited list in its new order, and the ids of the removed presets.
  QList<ov_medley_preset> presets() const;
  QList<int> removed_ids() const;

private:
  std::unique_ptr<ovgp_medley_presets> page_;
};

// What the medley panel's "More" button leads to: runs the dialog modally on
// copies of presets; when it is accepted, deletes the removed rows, writes
// every preset with its position set to its index and replaces presets with
// the edited list. Returns the dialog's result.
int ovg_edit_medley_presets(QList<ov_medley_preset>& presets, ov_database* db, QWidget* parent);
