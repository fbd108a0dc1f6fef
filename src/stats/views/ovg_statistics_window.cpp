#include "ovg_statistics_window.h"

#include "ov_rank_table.h"
#include "ovg_exec.h"
#include "ovg_statistics_chart_view.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QCursor>
#include <QDateTimeAxis>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFutureWatcher>
#include <QHBoxLayout>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QLineSeries>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QScatterSeries>
#include <QStackedBarSeries>
#include <QStackedWidget>
#include <QSvgGenerator>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace {

constexpr int tick_ms = 1000;
constexpr int label_width = 220;  // leader names longer than this are elided
const QColor normal_colour(QStringLiteral("#5c8fa0"));
const QColor medley_colour(QStringLiteral("#cc8450"));

// From 0 to a little above max, with whole numbers at the ticks.
void set_value_range(QValueAxis* axis, double max) {
  if (max < 10) {
    const int top = std::max(1, int(std::ceil(max)));
    axis->setRange(0, top);
    axis->setTickCount(top + 1);
  } else {
    axis->setTickCount(5);
    axis->setRange(0, max);
    axis->applyNiceNumbers();
  }
}

QChart* new_chart() {
  auto* chart = new QChart;
  chart->legend()->hide();
  chart->setAnimationOptions(QChart::NoAnimation);
  chart->setMargins(QMargins(8, 8, 8, 8));
  return chart;
}

}  // namespace

ovg_statistics_window::ovg_statistics_window(const ov_library* library, ov_database* history_db, QWidget* parent)
    : QWidget(parent, Qt::Window), stats_(library, history_db) {
  setObjectName(QStringLiteral("statistics_window"));
  build_ui();
  retranslate();
  tick_ = new QTimer(this);
  tick_->setInterval(tick_ms);
  connect(tick_, &QTimer::timeout, this, &ovg_statistics_window::update_now);
  // A long history is read on a worker while the first chart is drawn.
  stats_.read_history_in_background();
  auto* watcher = new QFutureWatcher<void>(this);
  connect(watcher, &QFutureWatcher<void>::finished, this, &ovg_statistics_window::finish_history_read);
  watcher->setFuture(stats_.history_read_done());
  list_->setCurrentRow(0);
}

ovg_statistics_window::~ovg_statistics_window() = default;

void ovg_statistics_window::build_ui() {
  list_ = new QListWidget;
  list_->setObjectName(QStringLiteral("chart_list"));
  for (int i = 0; i < ov_chart_count; ++i) list_->addItem(QString());
  list_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  list_->setFixedWidth(230);
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) show_chart(ov_chart(row));
  });

  title_ = new QLabel;
  QFont bold = title_->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.2);
  title_->setFont(bold);
  summary_ = new QLabel;
  summary_->setObjectName(QStringLiteral("summary"));
  summary_->setWordWrap(true);
  summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  view_ = new ovg_statistics_chart_view;
  connect(view_, &ovg_statistics_chart_view::esignal_rank_clicked, this, &ovg_statistics_window::select_rank);
  hint_ = new QLabel;
  hint_->setObjectName(QStringLiteral("hint"));
  hint_->setAlignment(Qt::AlignCenter);
  hint_->setWordWrap(true);
  hint_->setStyleSheet(QStringLiteral("QLabel { color: #666666; font-size: 14pt; }"));
  stack_ = new QStackedWidget;
  stack_->addWidget(view_);
  stack_->addWidget(hint_);

  export_chart_ = new QPushButton;
  export_data_ = new QPushButton;
  connect(export_chart_, &QPushButton::clicked, this, &ovg_statistics_window::ask_export_chart);
  connect(export_data_, &QPushButton::clicked, this, &ovg_statistics_window::ask_export_data);
  status_ = new QLabel;
  status_->setObjectName(QStringLiteral("status"));

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(status_, 1);
  buttons->addWidget(export_chart_);
  buttons->addWidget(export_data_);
  auto* right = new QVBoxLayout;
  right->addWidget(title_);
  right->addWidget(summary_);
  right->addWidget(stack_, 1);
  right->addLayout(buttons);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(list_);
  layout->addLayout(right, 1);
  resize(1000, 620);
}

void ovg_statistics_window::retranslate() {
  setWindowTitle(tr("Statistics"));
  for (int i = 0; i < ov_chart_count; ++i) list_->item(i)->setText(ov_statistics::title(ov_chart(i)));
  export_chart_->setText(tr("Export Chart..."));
  export_data_->setText(tr("Export Data..."));
}

void ovg_statistics_window::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) {
    retranslate();
    rebuild();
  }
  QWidget::changeEvent(event);
}

// While hidden nothing is followed: shown again, the chart is brought up to
// date at once.
void ovg_statistics_window::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  tick_->start();
  if (stale_) {
    stale_ = false;
    changed_ = true;
    update_now();
  }
}

void ovg_statistics_window::hideEvent(QHideEvent* event) {
  tick_->stop();
  stale_ = true;
  QWidget::hideEvent(event);
}

void ovg_statistics_window::eslot_library_changed() {
  changed_ = true;
  stats_.note_library_changed();
}

bool ovg_statistics_window::uses_history(ov_chart chart) {
  return chart >= ov_chart::albums_by_time;
}

void ovg_statistics_window::finish_history_read() {
  stats_.wait_for_history();
  stats_.refresh_history();
  // A chart of the history shows its data in place of the reading hint.
  if (changed_ || uses_history(current_)) rebuild();
}

bool ovg_statistics_window::update_now() {
  const bool fresh_rows = stats_.refresh_history();
  const bool affected = changed_ || (fresh_rows && uses_history(current_));
  if (!affected) return false;
  rebuild();
  return true;
}

void ovg_statistics_window::show_chart(ov_chart chart) {
  // The list reports the new row, which comes back here.
  if (list_->currentRow() != int(chart)) {
    list_->setCurrentRow(int(chart));
    return;
  }
  current_ = chart;
  rebuild();
}

void ovg_statistics_window::rebuild() {
  changed_ = false;
  const QDate today = QDate::currentDate();
  title_->setText(ov_statistics::title(current_));
  summary_->setText(stats_.summary(current_, today));
  status_->clear();
  const bool has = stats_.has_data(current_, today);
  export_chart_->setEnabled(has);
  if (!has) {
    hint_->setText(stats_.hint(current_));
    stack_->setCurrentWidget(hint_);
    return;
  }
  stack_->setCurrentWidget(view_);
  if (current_ == ov_chart::experience) {
    bars_ = nullptr;
    drawn_.reset();
    replace_chart(make_experience_chart());
    view_->set_rank_series(nullptr);
    return;
  }
  bar_chart d = describe(current_, today);
  tips_ = d.tips;
  if (drawn_ != current_ || !update_bar_chart(d)) {
    replace_chart(make_bar_chart(d));
    view_->set_rank_series(d.rank_icons ? bars_ : nullptr);
  }
  drawn_ = current_;
  shown_ = std::move(d);
}

void ovg_statistics_window::replace_chart(QChart* chart) {
  QChart* old = view_->chart();
  view_->setChart(chart);
  delete old;
}

bool ovg_statistics_window::showing_chart() const {
  return stack_->currentWidget() == view_;
}

QString ovg_statistics_window::summary_text() const {
  return summary_->text();
}

QString ovg_statistics_window::hint_text() const {
  return showing_chart() ? QString() : hint_->text();
}

// ---- charts ------------------------------------------------------------------------

ovg_statistics_window::bar_chart ovg_statistics_window::describe(ov_chart chart, const QDate& today) const {
  switch (chart) {
    case ov_chart::ranks:
      return rank_bars();
    case ov_chart::listening_days:
    case ov_chart::listening_weeks:
      return listening_bars(chart, today);
    default:
      return leader_bars(chart);
  }
}

// One bar per rank in its colour: fifteen stacked sets, each with its count
// in its own category, so that every bar has its set's colour.
ovg_statistics_window::bar_chart ovg_statistics_window::rank_bars() const {
  const QList<int> counts = stats_.rank_counts();
  const ov_rank_table& ranks = ov_rank_table::instance();
  bar_chart d;
  d.rank_icons = true;
  d.value_title = tr("tracks");
  for (int i = 0; i < counts.size(); ++i) {
    bar_chart::set set{ranks.name(i), ov_statistics::rank_colour(i), QList<qreal>(counts.size(), 0)};
    set.values[i] = counts[i];
    d.sets << set;
    d.categories << ranks.name(i);
    d.tips << tr("%1: %L2 tracks. Click to select them in the library.").arg(ranks.name(i)).arg(counts[i]);
    d.max = std::max<double>(d.max, counts[i]);
  }
  return d;
}

// Horizontal bars, the leader on top; names are elided, the tooltip has all.
ovg_statistics_window::bar_chart ovg_statistics_window::leader_bars(ov_chart chart) const {
  QList<ov_statistics::leader> leaders;
  switch (chart) {
    case ov_chart::top_tracks:
      leaders = stats_.top_tracks();
      break;
    case ov_chart::albums_by_score:
      leaders = stats_.top_albums_by_score();
      break;
    case ov_chart::artists_by_score:
      leaders = stats_.top_artists_by_score();
      break;
    case ov_chart::albums_by_time:
      leaders = stats_.top_albums_by_time();
      break;
    default:
      leaders = stats_.top_artists_by_time();
      break;
  }
  const bool by_time = chart == ov_chart::albums_by_time || chart == ov_chart::artists_by_time;
  bar_chart d;
  d.horizontal = true;
  d.labels = true;
  d.value_title = by_time ? tr("minutes") : tr("points");
  bar_chart::set set{ov_statistics::title(chart), by_time ? normal_colour : ov_statistics::rank_colour(12), {}};
  const QFontMetrics metrics(view_->font());
  for (qsizetype i = leaders.size() - 1; i >= 0; --i) {
    const ov_statistics::leader& l = leaders[i];
    const double value = by_time ? std::round(l.value / 6.0) / 10.0 : double(l.value);
    set.values << value;
    d.max = std::max(d.max, value);
    const QString label = QStringLiteral("%1. %2").arg(i + 1).arg(l.label);
    d.categories << metrics.elidedText(label, Qt::ElideRight, label_width);
    QStringList lines = {label};
    for (const QString& detail : l.details)
      if (!detail.isEmpty()) lines << detail;
    lines << (by_time ? ov_statistics::duration_text(l.value) : tr("%L1 points").arg(l.value));
    d.tips << lines.join(QLatin1Char('\n'));
  }
  d.sets << set;
  return d;
}

ovg_statistics_window::bar_chart ovg_statistics_window::listening_bars(ov_chart chart, const QDate& today) const {
  const bool by_day = chart == ov_chart::listening_days;
  const QList<ov_statistics::listening_bucket> buckets =
      by_day ? stats_.listening_days(today) : stats_.listening_weeks(today);
  bar_chart d;
  d.legend = true;
  d.labels_angle = -90;
  d.value_title = tr("minutes");
  bar_chart::set normal{tr("Normal Play"), normal_colour, {}};
  bar_chart::set medley{tr("Shuffle Medley Play"), medley_colour, {}};
  const QLocale locale;
  for (const ov_statistics::listening_bucket& b : buckets) {
    normal.values << b.normal / 60.0;
    medley.values << b.medley / 60.0;
    d.max = std::max(d.max, (b.normal + b.medley) / 60.0);
    d.categories << b.first.toString(QStringLiteral("MM-dd"));
    const QString days = by_day ? locale.toString(b.first, QLocale::ShortFormat)
                                : tr("%1 to %2")
                                      .arg(locale.toString(b.first, QLocale::ShortFormat),
                                           locale.toString(b.last, QLocale::ShortFormat));
    d.tips << tr("%1\nNormal play: %2\nShuffle medley play: %3")
                  .arg(days, ov_statistics::duration_text(b.normal), ov_statistics::duration_text(b.medley));
  }
  d.sets << normal << medley;
  return d;
}

QChart* ovg_statistics_window::make_bar_chart(const bar_chart& d) {
  QChart* chart = new_chart();
  QAbstractBarSeries* series = d.horizontal ? static_cast<QAbstractBarSeries*>(new QHorizontalBarSeries)
                                            : static_cast<QAbstractBarSeries*>(new QStackedBarSeries);
  series->setBarWidth(d.horizontal ? 0.7 : 0.8);
  for (const bar_chart::set& s : d.sets) {
    auto* set = new QBarSet(s.name);
    set->append(s.values);
    set->setColor(s.colour);
    set->setBorderColor(s.colour.darker(130));
    set->setLabelColor(QColor(QStringLiteral("#333333")));
    series->append(set);
  }
  if (d.labels) {
    series->setLabelsVisible(true);
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    series->setLabelsFormat(QStringLiteral("@value"));
    series->setLabelsPrecision(10);
  }
  connect(series, &QAbstractBarSeries::hovered, this, [this](bool status, int index, QBarSet*) {
    if (status && index >= 0 && index < tips_.size())
      QToolTip::showText(QCursor::pos(), tips_[index]);
    else
      QToolTip::hideText();
  });
  chart->addSeries(series);
  auto* categories = new QBarCategoryAxis;
  categories->append(d.categories);
  categories->setGridLineVisible(false);
  categories->setLabelsAngle(d.labels_angle);
  // The names are elided here already, to a width that leaves the bars room.
  categories->setTruncateLabels(false);
  if (d.rank_icons) {
    // The names only keep the room for the icons drawn over them.
    QFont room = categories->labelsFont();
    room.setPixelSize(22);
    categories->setLabelsFont(room);
    categories->setLabelsBrush(Qt::transparent);
  }
  chart->addAxis(categories, d.horizontal ? Qt::AlignLeft : Qt::AlignBottom);
  series->attachAxis(categories);
  auto* values = new QValueAxis;
  values->setLabelFormat(QStringLiteral("%.0f"));
  values->setTitleText(d.value_title);
  set_value_range(values, d.labels ? d.max * 1.15 : d.max);
  chart->addAxis(values, d.horizontal ? Qt::AlignBottom : Qt::AlignLeft);
  series->attachAxis(values);
  if (d.legend) {
    chart->legend()->show();
    chart->legend()->setAlignment(Qt::AlignTop);
  }
  bars_ = series;
  categories_ = categories;
  values_ = values;
  return chart;
}

// The same bars with other values: the items stay, which is far cheaper
// than a new chart.
bool ovg_statistics_window::update_bar_chart(const bar_chart& d) {
  if (!bars_ || d.horizontal != shown_.horizontal || d.sets.size() != shown_.sets.size() ||
      d.categories.size() != shown_.categories.size())
    return false;
  if (d.categories != shown_.categories) categories_->setCategories(d.categories);
  const QList<QBarSet*> sets = bars_->barSets();
  for (qsizetype i = 0; i < sets.size(); ++i)
    for (qsizetype j = 0; j < d.sets[i].values.size(); ++j)
      if (d.sets[i].values[j] != shown_.sets[i].values[j]) sets[i]->replace(j, d.sets[i].values[j]);
  if (d.max != shown_.max) set_value_range(values_, d.labels ? d.max * 1.15 : d.max);
  return true;
}

QChart* ovg_statistics_window::make_experience_chart() {
  const QList<ov_statistics::experience_point> points = stats_.experience();
  QChart* chart = new_chart();
  auto* line = new QLineSeries;
  line->setName(tr("Experience earned"));
  line->setColor(normal_colour);
  QHash<QDate, qint64> total_on;
  for (const ov_statistics::experience_point& p : points) {
    line->append(double(QDateTime(p.day, QTime(12, 0)).toMSecsSinceEpoch()), double(p.total));
    total_on.insert(p.day, p.total);
  }
  chart->addSeries(line);
  auto* x = new QDateTimeAxis;
  x->setFormat(QStringLiteral("yyyy-MM-dd"));
  x->setRange(QDateTime(points.first().day.addDays(-1), QTime(0, 0)),
              QDateTime(points.last().day.addDays(1), QTime(0, 0)));
  x->setTickCount(std::min<int>(8, std::max<int>(3, int(points.size()) + 2)));
  chart->addAxis(x, Qt::AlignBottom);
  line->attachAxis(x);
  auto* y = new QValueAxis;
  y->setLabelFormat(QStringLiteral("%.0f"));
  y->setTitleText(tr("experience"));
  set_value_range(y, double(points.last().total) * 1.05);
  chart->addAxis(y, Qt::AlignLeft);
  line->attachAxis(y);
  for (const ov_statistics::grade_up& up : stats_.grade_ups()) {
    auto* mark = new QScatterSeries;
    mark->setName(tr("Grade up: %1").arg(up.name));
    mark->setMarkerSize(12);
    mark->append(double(QDateTime(up.day, QTime(12, 0)).toMSecsSinceEpoch()), double(total_on.value(up.day)));
    chart->addSeries(mark);
    mark->attachAxis(x);
    mark->attachAxis(y);
  }
  chart->legend()->show();
  chart->legend()->setAlignment(Qt::AlignTop);
  return chart;
}

void ovg_statistics_window::select_rank(int rank_index) {
  const QList<int> ids = stats_.tracks_in_rank(rank_index);
  status_->setText(
      tr("Selected in the library: %L1 tracks in %2").arg(ids.size()).arg(ov_rank_table::instance().name(rank_index)));
  emit esignal_select_tracks(ids);
}

// ---- export ----------------------------------------------------------------------

bool ovg_statistics_window::export_chart(const QString& path) const {
  if (!showing_chart()) return false;
  if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(view_->size());
    svg.setViewBox(QRect(QPoint(0, 0), view_->size()));
    svg.setTitle(ov_statistics::title(current_));
    svg.setDescription(summary_->text());
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    view_->render(&painter);
    return painter.end();
  }
  return view_->grab().save(path, "PNG");
}

bool ovg_statistics_window::export_data(const QString& path) const {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) return false;
  file.write(stats_.csv(current_, QDate::currentDate()).toUtf8());
  return file.commit();
}

QString ovg_statistics_window::ask_file(const QString& title, const QStringList& filters, const QString& suffix) {
  QFileDialog dialog(this, title);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters(filters);
  dialog.setDefaultSuffix(suffix);
  dialog.selectFile(ov_statistics::title(current_) + QLatin1Char('.') + suffix);
  if (ovg_exec(&dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  QString path = dialog.selectedFiles().first();
  // The filter chosen decides the format when the name has no known suffix.
  if (filters.size() > 1 && dialog.selectedNameFilter() == filters[1] &&
      !path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive))
    path += QStringLiteral(".svg");
  return path;
}

void ovg_statistics_window::ask_export_chart() {
  const QString path =
      ask_file(tr("Export Chart"), {tr("PNG image (*.png)"), tr("SVG image (*.svg)")}, QStringLiteral("png"));
  if (path.isEmpty()) return;
  status_->setText(export_chart(path) ? tr("Saved %1").arg(path) : tr("Could not write %1").arg(path));
}

void ovg_statistics_window::ask_export_data() {
  const QString path = ask_file(tr("Export Data"), {tr("CSV file (*.csv)")}, QStringLiteral("csv"));
  if (path.isEmpty()) return;
  status_->setText(export_data(path) ? tr("Saved %1").arg(path) : tr("Could not write %1").arg(path));
}
