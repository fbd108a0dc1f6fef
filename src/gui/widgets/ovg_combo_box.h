#pragma once

#include <QComboBox>
#include <QIcon>

// A combo box whose items each carry an icon and an integer value; its
// current value is the current item's integer. Separators may stand between
// items. The popup is a list widget.
class ovg_combo_box : public QComboBox {
  Q_OBJECT

public:
  explicit ovg_combo_box(QWidget* parent = nullptr);

  void add_item(const QString& text, int value, const QIcon& icon = QIcon());
  void add_separator();
  // The current item's value; 0 when no item is current.
  int current_value() const;
  // Makes the item with value current; false (nothing changes) when no item has it.
  bool set_current_value(int value);
  int index_of_value(int value) const;
};
