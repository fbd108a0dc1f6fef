#include "ovg_dialog_remove_item.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

ovg_dialog_remove_item::ovg_dialog_remove_item(const QString& title, const QString& message, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(title);
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(message, this);
  label->setObjectName(QStringLiteral("remove_message"));
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  auto* spacer = new QWidget(this);
  spacer->setFixedWidth(300);
  spacer->setFixedHeight(1);
  auto* remove = new QPushButton(tr("Remove"), this);
  remove->setObjectName(QStringLiteral("remove_button"));
  auto* cancel = new QPushButton(tr("Cancel"), this);
  cancel->setObjectName(QStringLiteral("cancel_button"));
  cancel->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(remove);
  buttons->addWidget(cancel);
  layout->addWidget(label);
  layout->addWidget(spacer);
  layout->addLayout(buttons);
  connect(remove, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}
