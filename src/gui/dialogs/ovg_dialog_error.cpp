#include "ovg_dialog_error.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

ovg_dialog_error::ovg_dialog_error(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Messages"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  const QString names[3] = {tr("Information"), tr("Warning"), tr("Fatal")};
  const char* ids[3] = {"information", "warning", "fatal"};
  for (int i = 0; i < 3; ++i) {
    section& s = sections_[i];
    s.container = new QWidget(this);
    s.container->setObjectName(QStringLiteral("%1_section").arg(QLatin1String(ids[i])));
    auto* inner = new QVBoxLayout(s.container);
    inner->setContentsMargins(0, 0, 0, 0);
    s.label = new QLabel(names[i] + QStringLiteral(":"), s.container);
    s.label->setObjectName(QStringLiteral("%1_label").arg(QLatin1String(ids[i])));
    s.box = new QPlainTextEdit(s.container);
    s.box->setObjectName(QStringLiteral("%1_text").arg(QLatin1String(ids[i])));
    s.box->setReadOnly(true);
    s.box->setFixedSize(350, 150);
    s.box->setStyleSheet(QStringLiteral("QPlainTextEdit { background-color: #f4f4f4; }"));
    inner->addWidget(s.label);
    inner->addWidget(s.box);
    layout->addWidget(s.container);
    s.container->hide();
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

void ovg_dialog_error::set_section(section_id id, const QString& text) {
  if (text.isEmpty()) return;
  section& s = sections_[id];
  s.text = text;
  s.box->setPlainText(text);
  s.container->show();
}

bool ovg_dialog_error::has_messages() const {
  for (const section& s : sections_)
    if (!s.text.isEmpty()) return true;
  return false;
}

bool ovg_dialog_error::section_shown(section_id id) const {
  return sections_[id].container->isVisibleTo(this);
}
