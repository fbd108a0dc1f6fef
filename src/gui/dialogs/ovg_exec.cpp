#include "ovg_exec.h"

#include "ov_autotest.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

namespace {

QString name_of(const QWidget* w) {
  return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
}

void note_text(const QWidget* w, const QString& kind, const QString& text) {
  const QStringList lines = text.split(QLatin1Char('\n'));
  for (const QString& line : lines) ov_autotest::note(QStringLiteral("  %1 %2: %3").arg(kind, name_of(w), line));
}

// Title, then every visible text of the dialog in the order the widgets were made.
void describe(const QDialog* dialog) {
  ov_autotest::note(QStringLiteral("dialog: ") + dialog->windowTitle());
  const QList<QWidget*> widgets = dialog->findChildren<QWidget*>();
  for (const QWidget* w : widgets) {
    if (!w->isVisibleTo(dialog)) continue;
    if (auto label = qobject_cast<const QLabel*>(w)) {
      if (!label->text().isEmpty()) note_text(w, QStringLiteral("label"), label->text());
    } else if (auto edit = qobject_cast<const QPlainTextEdit*>(w)) {
      note_text(w, QStringLiteral("text"), edit->toPlainText());
    } else if (auto combo = qobject_cast<const QComboBox*>(w)) {
      note_text(w, QStringLiteral("combo"), combo->currentText());
    } else if (auto button = qobject_cast<const QAbstractButton*>(w)) {
      if (!button->text().isEmpty()) note_text(w, QStringLiteral("button"), button->text());
    } else if (auto line = qobject_cast<const QLineEdit*>(w)) {
      note_text(w, QStringLiteral("line"), line->text());
    }
  }
}

}  // namespace

int ovg_exec(QDialog* dialog) {
  const ov_autotest::mode mode = ov_autotest::current();
  if (mode != ov_autotest::off) {
    describe(dialog);
    if (mode == ov_autotest::accept)
      QTimer::singleShot(0, dialog, &QDialog::accept);
    else
      QTimer::singleShot(0, dialog, &QDialog::reject);
  }
  const int result = dialog->exec();
  if (mode != ov_autotest::off) ov_autotest::note(QStringLiteral("dialog result: %1").arg(result));
  return result;
}
