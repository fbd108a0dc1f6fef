#include "ovg_dialog_lang.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

ovg_dialog_lang::ovg_dialog_lang(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Language"));
  setModal(true);
  setFixedWidth(200);
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(tr("Please choose language"), this);
  label->setObjectName(QStringLiteral("language_label"));
  combo_ = new QComboBox(this);
  combo_->setObjectName(QStringLiteral("language_combo"));
  combo_->addItem(tr("English"), 1);
  combo_->addItem(tr("Japanese"), 2);
  combo_->setCurrentIndex(1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  layout->addWidget(label);
  layout->addWidget(combo_);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

int ovg_dialog_lang::language() const {
  return combo_->currentData().toInt();
}
