#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

// Progress of a long operation. The button only raises the cancelled flag;
// the owner polls is_cancelled() between steps and closes the dialog.
class ovg_progress_dialog : public QDialog {
  Q_OBJECT

public:
  ovg_progress_dialog(const QString& title, const QString& button_text, int minimum, int maximum,
                      QWidget* parent = nullptr);
  ~ovg_progress_dialog() override;

  void set_value(int value);
  void set_maximum(int maximum);
  void set_text(const QString& text);
  bool is_cancelled() const { return cancelled_; }

private slots:
  void islot_cancel_clicked();

private:
  QProgressBar* bar_;
  QLabel* label_;
  QPushButton* button_;
  bool cancelled_ = false;
};
