#include "ovg_pref_dialog_frame.h"

#include <QCoreApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

void ovg_build_pref_dialog(QDialog* dialog, const QString& title, QWidget* page) {
  dialog->setWindowTitle(title);
  dialog->setModal(true);
  auto* layout = new QVBoxLayout(dialog);
  auto* tabs = new QTabWidget(dialog);
  tabs->setStyleSheet(QStringLiteral("QTabBar::tab {  height: 0px;}"));
  tabs->addTab(page, QString());
  auto* ok = new QPushButton(QCoreApplication::translate("ovg_pref_dialog", "OK"), dialog);
  ok->setDefault(true);
  auto* cancel = new QPushButton(QCoreApplication::translate("ovg_pref_dialog", "Cancel"), dialog);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addWidget(tabs);
  layout->addLayout(buttons);
  QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
}
