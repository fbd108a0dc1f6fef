#include "ovg_progress_dialog.h"

#include "ov_log.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

ovg_progress_dialog::ovg_progress_dialog(const QString& title, const QString& button_text, int minimum, int maximum,
                                         QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(title);
  setModal(true);
  setFixedWidth(500);
  auto* layout = new QVBoxLayout(this);
  bar_ = new QProgressBar(this);
  bar_->setObjectName(QStringLiteral("progress_bar"));
  bar_->setRange(minimum, maximum);
  label_ = new QLabel(this);
  label_->setObjectName(QStringLiteral("progress_text"));
  button_ = new QPushButton(button_text, this);
  button_->setObjectName(QStringLiteral("progress_button"));
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(button_);
  layout->addWidget(bar_);
  layout->addWidget(label_);
  layout->addLayout(buttons);
  connect(button_, &QPushButton::clicked, this, &ovg_progress_dialog::islot_cancel_clicked);
}

ovg_progress_dialog::~ovg_progress_dialog() {
  ov_log_write_flush(ov_log::DEBUG, QStringLiteral("progress_dialog"), QStringLiteral("destructor invoked."));
}

void ovg_progress_dialog::set_value(int value) {
  bar_->setValue(value);
}

void ovg_progress_dialog::set_maximum(int maximum) {
  bar_->setMaximum(maximum);
}

void ovg_progress_dialog::set_text(const QString& text) {
  label_->setText(text);
}

void ovg_progress_dialog::islot_cancel_clicked() {
  cancelled_ = true;
}
