#pragma once

#include <QList>
#include <QObject>
#include <QString>

// The columns of the track table, shared by the model, the table view and
// its header menu. One instance for the whole process.
class ovd_track : public QObject {
  Q_OBJECT

public:
  enum column_number : int {
    col_status = 0,
    col_rank,
    col_title,
    col_number,
    col_album,
    col_artist,
    col_length,
    col_score,
    col_played,
    col_entry_number,
    col_count_n,
    col_count_s,
    col_count_ns,
    col_count_l,
    col_count_dl,
    col_count_t,
    col_added,
  };

  struct column {
    int number = 0;
    QString title;
    QString tooltip;
    int width = 100;
    bool fixed_width = false;
    bool toggleable = true;
    bool visible_by_default = false;
  };

  explicit ovd_track(QObject* parent = nullptr);

  // Built on first use; the translator must be installed before.
  static ovd_track& instance();

  int column_count() const { return int(columns_.size()); }
  const QList<column>& columns() const { return columns_; }
  // Column numbers outside the list answer: empty title and tooltip,
  // width 100, not fixed, toggleable, hidden by default.
  QString title(int number) const;
  QString tooltip(int number) const;
  int width(int number) const;
  bool is_fixed_width(int number) const;
  bool is_toggleable(int number) const;
  bool is_visible_by_default(int number) const;

private:
  void add(int number, const QString& title, const QString& tooltip, int width, bool fixed, bool toggleable,
           bool visible);
  const column* find(int number) const;

  QList<column> columns_;
};
