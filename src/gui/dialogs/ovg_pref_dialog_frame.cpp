#include "ovg_pref_dialog_frame.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

void ovg_build_pref_dialog(QDialog* dialog, const QString& title, QWidget* page) {
  dialog->setWindowTitle(title);
  dialog->setModal(true);
  auto* layout = new QVBoxLayout(dialog);
  auto* tabs = new QTabWidget(dialog);
  tabs->setStyleSheet(QStringLiteral("QTabBar::tab {  height: 0px;}"));
  tabs->addTab(page, QString());
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  layout->addWidget(tabs);
  layout->addWidget(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
}
