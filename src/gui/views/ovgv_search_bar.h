#pragma once

#include <QLineEdit>
#include <QTableWidget>

class QLabel;
class QPushButton;

// The search field: forwards the keys meant for the track table as key
// codes so the user can keep typing and still steer the table.
class ovgv_search_bar_lineedit : public QLineEdit {
  Q_OBJECT

public:
  using QLineEdit::QLineEdit;

signals:
  void esignal_esc_pressed();
  void esignal_key_to_tableview_pressed(int key_code);

protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// A small floating bar at the right edge of the main window. It searches
// nothing itself: it emits the word with a direction, and the window steps
// through the shown table.
class ovgv_search_bar : public QTableWidget {
  Q_OBJECT

public:
  explicit ovgv_search_bar(QWidget* parent = nullptr);

  // Gives the field the focus with its whole text selected.
  void focus_text_field();
  QString word() const;
  // Tells the user, inside the field, that the last search found no track;
  // editing the word takes the note away.
  void show_not_found(bool not_found);
  // The note shown, empty while there is none.
  QString note() const;

signals:
  void esignal_search_next_after_current_position(QString word);
  void esignal_search_previous_after_current_position(QString word);
  void esignal_key_to_tableview_pressed(int key_code);
  void esignal_hided();

public slots:
  void eslot_parent_resized(int width, int height);
  void islot_search_next(bool dummy);
  void islot_search_next();
  void islot_search_previous(bool dummy);
  void islot_search_previous();
  void islot_close_clicked(bool dummy);
  void islot_close_clicked();

protected:
  void keyPressEvent(QKeyEvent* event) override;

private:
  void build_children();
  void connect_children();

  QPushButton* close_button_ = nullptr;
  ovgv_search_bar_lineedit* text_field_ = nullptr;
  QPushButton* next_button_ = nullptr;
  QPushButton* previous_button_ = nullptr;
  QLabel* note_ = nullptr;  // inside the field, at its right end
};
