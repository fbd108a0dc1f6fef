#include "ovg_pref_dialog_medley_preset.h"

#include "ov_log.h"
#include "ov_medley_preset_store.h"
#include "ovg_exec.h"
#include "ovgp_medley_presets.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

ovg_pref_dialog_medley_preset::ovg_pref_dialog_medley_preset(const QList<ov_medley_preset>& presets, ov_database* db,
                                                             QWidget* parent)
    : QDialog(parent), page_(std::make_unique<ovgp_medley_presets>(presets, db)) {
  setWindowTitle(tr("Pref (Medley Presets)"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  auto* tabs = new QTabWidget(this);
  tabs->setStyleSheet(QStringLiteral("QTabBar::tab {  height: 0px;}"));
  tabs->addTab(page_->widget(), QString());
  auto* ok = new QPushButton(tr("OK"), this);
  ok->setDefault(true);
  auto* cancel = new QPushButton(tr("Cancel"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addWidget(tabs);
  layout->addLayout(buttons);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
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
