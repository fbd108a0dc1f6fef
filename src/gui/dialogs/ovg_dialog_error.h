#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPlainTextEdit;
class QWidget;

// The messages dialog: three sections "Information", "Warning" and "Fatal",
// each hidden until it receives a non-empty text.
class ovg_dialog_error : public QDialog {
  Q_OBJECT

public:
  enum section_id { information = 0, warning = 1, fatal = 2 };

  explicit ovg_dialog_error(QWidget* parent = nullptr);

  void set_information(const QString& text) { set_section(information, text); }
  void set_warning(const QString& text) { set_section(warning, text); }
  void set_fatal(const QString& text) { set_section(fatal, text); }
  bool has_messages() const;

  QString text(section_id id) const { return sections_[id].text; }
  bool section_shown(section_id id) const;

private:
  struct section {
    QWidget* container = nullptr;
    QLabel* label = nullptr;
    QPlainTextEdit* box = nullptr;
    QString text;
  };

  void set_section(section_id id, const QString& text);

  section sections_[3];
};
