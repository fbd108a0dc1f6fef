#include "ovg_dialog_remove_item.h"

#include <QDialogButtonBox>
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
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* remove = buttons->addButton(tr("Remove"), QDialogButtonBox::AcceptRole);
  remove->setObjectName(QStringLiteral("remove_button"));
  QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
  cancel->setObjectName(QStringLiteral("cancel_button"));
  cancel->setDefault(true);  // removing takes a deliberate click
  layout->addWidget(label);
  layout->addWidget(spacer);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}
