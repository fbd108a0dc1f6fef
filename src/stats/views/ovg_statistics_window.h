#pragma once

#include "ov_statistics.h"

#include <QColor>
#include <QDate>
#include <QList>
#include <QStringList>
#include <QWidget>

#include <optional>

class QAbstractBarSeries;
class QBarCategoryAxis;
class QChart;
class QValueAxis;
class QLabel;
class QListWidget;
class QPushButton;
class QStackedWidget;
class QTimer;
class ov_database;
class ov_library;
class ovg_statistics_chart_view;

// The Statistics window: one chart at a time, chosen from a list, with its
// summary above it and export of the chart (PNG or SVG) and of its data (CSV).
// It is not modal. While shown it follows the library and the listening
// history, redrawing at most once a second: changes are noted at once and the
// shown chart is rebuilt on the next tick.
class ovg_statistics_window : public QWidget {
  Q_OBJECT

public:
  // history_db may be null: the charts of the listening history then show
  // their empty state.
  ovg_statistics_window(const ov_library* library, ov_database* history_db, QWidget* parent = nullptr);
  ~ovg_statistics_window() override;

  ov_chart current_chart() const { return current_; }
  void show_chart(ov_chart chart);
  const ov_statistics& statistics() const { return stats_; }

  // Whether the shown chart has data (else the hint is shown in its place).
  bool showing_chart() const;
  QString summary_text() const;
  QString hint_text() const;
  ovg_statistics_chart_view* chart_view() const { return view_; }

  // By the file name's suffix: ".svg" as SVG, anything else as PNG.
  bool export_chart(const QString& path) const;
  bool export_data(const QString& path) const;

  // What a click on the bar of a rank does.
  void select_rank(int rank_index);

  // Waits for the first read of the listening history and shows its result.
  void finish_history_read();

  // What one tick does: reads new history rows and, when something changed
  // since the last tick, rebuilds the shown chart. True when it rebuilt.
  bool update_now();

signals:
  // Library ids of the tracks to select in the library's track table.
  void esignal_select_tracks(const QList<int>& ids);

public slots:
  // The library changed (scores, added or removed tracks).
  void eslot_library_changed();

protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;

private:
  void build_ui();
  void retranslate();
  void rebuild();
  // What a bar chart shows: categories along one axis, sets of values
  // stacked on them.
  struct bar_chart {
    struct set {
      QString name;
      QColor colour;
      QList<qreal> values;  // one per category
    };
    QStringList categories;  // bottom to top when horizontal
    QStringList tips;        // one per category
    QList<set> sets;
    QString value_title;
    double max = 0;  // the highest stack
    bool horizontal = false;
    bool legend = false;
    bool labels = false;  // values written on the bars
    bool rank_icons = false;
    int labels_angle = 0;
  };
  bar_chart describe(ov_chart chart, const QDate& today) const;
  bar_chart rank_bars() const;
  bar_chart leader_bars(ov_chart chart) const;
  bar_chart listening_bars(ov_chart chart, const QDate& today) const;
  QChart* make_bar_chart(const bar_chart& d);
  // False when the shown bars cannot take the new values in place.
  bool update_bar_chart(const bar_chart& d);
  QChart* make_experience_chart();
  void replace_chart(QChart* chart);
  void ask_export_chart();
  void ask_export_data();
  QString ask_file(const QString& title, const QStringList& filters, const QString& suffix);
  static bool uses_history(ov_chart chart);

  ov_statistics stats_;
  ov_chart current_ = ov_chart::ranks;
  bool changed_ = false;       // something changed since the last rebuild
  bool history_read_ = false;  // the history was read once
  bool stale_ = false;         // hidden since the last rebuild
  QListWidget* list_ = nullptr;
  QLabel* title_ = nullptr;
  QLabel* summary_ = nullptr;
  QStackedWidget* stack_ = nullptr;
  ovg_statistics_chart_view* view_ = nullptr;
  QLabel* hint_ = nullptr;
  QLabel* status_ = nullptr;
  QPushButton* export_chart_ = nullptr;
  QPushButton* export_data_ = nullptr;
  QTimer* tick_ = nullptr;
  // The bars on show and what they show; null bars for other charts.
  std::optional<ov_chart> drawn_;
  bar_chart shown_;
  QStringList tips_;
  QAbstractBarSeries* bars_ = nullptr;
  QBarCategoryAxis* categories_ = nullptr;
  QValueAxis* values_ = nullptr;
};
