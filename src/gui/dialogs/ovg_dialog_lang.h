#pragma once

#include <QDialog>

class QComboBox;

// The first-run language choice: English (1) or Japanese (2), Japanese
// preselected.
class ovg_dialog_lang : public QDialog {
  Q_OBJECT

public:
  explicit ovg_dialog_lang(QWidget* parent = nullptr);

  int language() const;

private:
  QComboBox* combo_;
};
