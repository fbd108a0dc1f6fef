#include "ovg_dialog_lang.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
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
  auto* ok = new QPushButton(tr("OK"), this);
  ok->setDefault(true);
  layout->addWidget(label);
  layout->addWidget(combo_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  layout->addLayout(buttons);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

int ovg_dialog_lang::language() const {
  return combo_->currentData().toInt();
}
