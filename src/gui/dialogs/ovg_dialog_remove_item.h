#pragma once

#include <QDialog>

// Asks whether to remove something: the caller supplies title and message
// and removes only when the dialog is accepted ("Remove").
class ovg_dialog_remove_item : public QDialog {
  Q_OBJECT

public:
  ovg_dialog_remove_item(const QString& title, const QString& message, QWidget* parent = nullptr);
};
