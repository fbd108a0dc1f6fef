#pragma once

#include <QDialog>
#include <QString>

// The About dialog: icon, name, version, a link to the licence document and
// the credits of the libraries this build uses.
class ovg_dialog_about : public QDialog {
  Q_OBJECT

public:
  explicit ovg_dialog_about(QWidget* parent = nullptr);

  // The credits text, naming each library with the version in use.
  static QString credits_text();
  // doc/orvantis_LICENSE.txt under the working directory.
  static QString license_path();

private slots:
  void islot_license_and_credits_clicked();
};
