#include "ovg_combo_box.h"

#include <QListWidget>

ovg_combo_box::ovg_combo_box(QWidget* parent) : QComboBox(parent) {
  auto* list = new QListWidget(this);
  setModel(list->model());
  setView(list);
  QFont f = font();
  f.setFamily(QStringLiteral("MS UI Gothic"));
  setFont(f);
}

void ovg_combo_box::add_item(const QString& text, int value, const QIcon& icon) {
  addItem(icon, text, value);
}

void ovg_combo_box::add_separator() {
  insertSeparator(count());
  // QComboBox disables separators of its own model only.
  if (auto* list = qobject_cast<QListWidget*>(view()))
    if (QListWidgetItem* item = list->item(count() - 1)) item->setFlags(Qt::NoItemFlags);
}

int ovg_combo_box::current_value() const {
  const QVariant v = currentData();
  return v.isValid() ? v.toInt() : 0;
}

int ovg_combo_box::index_of_value(int value) const {
  for (int i = 0; i < count(); ++i) {
    const QVariant v = itemData(i);
    if (v.isValid() && v.toInt() == value) return i;
  }
  return -1;
}

bool ovg_combo_box::set_current_value(int value) {
  const int index = index_of_value(value);
  if (index < 0) return false;
  setCurrentIndex(index);
  return true;
}
