#pragma once

#include <QChartView>

// The chart view of the statistics window. Under the bars of the ranks chart
// it draws each rank's icon in place of its name, also into exports; it says
// when it has painted.
class ovg_statistics_chart_view : public QChartView {
  Q_OBJECT

public:
  explicit ovg_statistics_chart_view(QWidget* parent = nullptr);

  // The series whose categories are the ranks in index order; null: no icons.
  void set_rank_series(QAbstractSeries* series) { series_ = series; }

signals:
  void esignal_painted();

protected:
  void paintEvent(QPaintEvent* event) override;
  void drawForeground(QPainter* painter, const QRectF& rect) override;

private:
  QAbstractSeries* series_ = nullptr;
};
