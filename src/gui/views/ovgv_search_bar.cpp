#include "ovgv_search_bar.h"

#include "ov_log.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

void ovgv_search_bar_lineedit::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  const bool only_control = modifiers == Qt::ControlModifier;
  if (key == Qt::Key_Space && only_control) {
    emit esignal_key_to_tableview_pressed(Qt::Key_Space);
  } else if (key == Qt::Key_Escape) {
    emit esignal_esc_pressed();
  } else if ((key == Qt::Key_Return || key == Qt::Key_Enter) && only_control) {
    emit esignal_key_to_tableview_pressed(key);
  } else if (key == Qt::Key_Up || key == Qt::Key_Down) {
    emit esignal_key_to_tableview_pressed(key);
  } else {
    QLineEdit::keyPressEvent(event);
  }
}

ovgv_search_bar::ovgv_search_bar(QWidget* parent) : QTableWidget(parent) {
  build_children();
  connect_children();
}

void ovgv_search_bar::build_children() {
  close_button_ = new QPushButton(QStringLiteral("x"), this);
  close_button_->setFixedSize(19, 19);
  auto* label = new QLabel(tr("Search") + QLatin1Char(':'), this);
  text_field_ = new ovgv_search_bar_lineedit(this);
  text_field_->setFixedSize(200, 20);
  note_ = new QLabel(tr("Not found"), text_field_);
  note_->setObjectName(QStringLiteral("search_note"));
  note_->setStyleSheet(QStringLiteral("QLabel { color: #b00000; }"));
  note_->setAttribute(Qt::WA_TransparentForMouseEvents);
  note_->hide();
  next_button_ = new QPushButton(tr("Next"), this);
  next_button_->setFixedSize(50, 22);
  previous_button_ = new QPushButton(tr("Prev"), this);
  previous_button_->setFixedSize(50, 22);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(5, 2, 5, 2);
  layout->addWidget(close_button_);
  layout->addSpacing(5);
  layout->addWidget(label);
  layout->addWidget(text_field_);
  layout->addWidget(next_button_);
  layout->addWidget(previous_button_);
  layout->addStretch();
  setContentsMargins(0, 0, 0, 0);
  setFixedSize(410, 30);
}

void ovgv_search_bar::connect_children() {
  connect(next_button_, &QPushButton::clicked, this, qOverload<bool>(&ovgv_search_bar::islot_search_next));
  connect(previous_button_, &QPushButton::clicked, this, qOverload<bool>(&ovgv_search_bar::islot_search_previous));
  connect(close_button_, &QPushButton::clicked, this, qOverload<bool>(&ovgv_search_bar::islot_close_clicked));
  connect(text_field_, &ovgv_search_bar_lineedit::esignal_esc_pressed, this,
          qOverload<>(&ovgv_search_bar::islot_close_clicked));
  connect(text_field_, &QLineEdit::returnPressed, this, qOverload<>(&ovgv_search_bar::islot_search_next));
  connect(text_field_, &ovgv_search_bar_lineedit::esignal_key_to_tableview_pressed, this,
          &ovgv_search_bar::esignal_key_to_tableview_pressed);
  connect(text_field_, &QLineEdit::textEdited, this, [this] { show_not_found(false); });
}

void ovgv_search_bar::focus_text_field() {
  text_field_->setFocus(Qt::OtherFocusReason);
  text_field_->selectAll();
}

QString ovgv_search_bar::word() const {
  return text_field_->text();
}

// The typed word keeps the room left of the note, so the two never overlap.
void ovgv_search_bar::show_not_found(bool not_found) {
  if (!not_found) {
    note_->hide();
    text_field_->setTextMargins(0, 0, 0, 0);
    return;
  }
  const int width = note_->sizeHint().width();
  const int height = text_field_->height();
  note_->setGeometry(text_field_->width() - width - 4, 0, width, height);
  text_field_->setTextMargins(0, 0, width + 4, 0);
  note_->show();
}

QString ovgv_search_bar::note() const {
  return note_->isVisibleTo(text_field_) ? note_->text() : QString();
}

void ovgv_search_bar::eslot_parent_resized(int width, int height) {
  ov_log_write(ov_log::DEBUG, QStringLiteral("search_bar"),
               QStringLiteral("RESIZED. w = %1, h = %2").arg(width).arg(height));
  move(width - this->width(), y());
}

void ovgv_search_bar::islot_search_next(bool) {
  islot_search_next();
}

void ovgv_search_bar::islot_search_next() {
  emit esignal_search_next_after_current_position(word());
}

void ovgv_search_bar::islot_search_previous(bool) {
  islot_search_previous();
}

void ovgv_search_bar::islot_search_previous() {
  emit esignal_search_previous_after_current_position(word());
}

void ovgv_search_bar::islot_close_clicked(bool) {
  islot_close_clicked();
}

void ovgv_search_bar::islot_close_clicked() {
  hide();
  emit esignal_hided();
}

void ovgv_search_bar::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    hide();
    return;
  }
  QTableWidget::keyPressEvent(event);
}
