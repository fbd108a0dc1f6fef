#include "ovg_pref_dialog_favorite_engine.h"

#include "ovgp_favorite_engine.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

ovg_pref_dialog_favorite_engine::ovg_pref_dialog_favorite_engine(ovgp_favorite_engine* page, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(tr("Pref (Favorite Engine)"));
  setModal(true);
  resize(980, 560);
  auto* layout = new QVBoxLayout(this);
  auto* tabs = new QTabWidget(this);
  tabs->setStyleSheet(QStringLiteral("QTabBar::tab {  height: 0px;}"));
  tabs->addTab(page->widget(), QString());
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
