#pragma once

#include <QAbstractBarSeries>
#include <QChartView>

// The chart view of the statistics window. Under the bars of the ranks chart
// it draws each rank's icon in place of its name, also into exports, and
// takes a click anywhere in a rank's column or on its icon, so that a rank
// of one track is as easy to pick as a long bar. It says when it has painted.
class ovg_statistics_chart_view : public QChartView {
  Q_OBJECT

public:
  explicit ovg_statistics_chart_view(QWidget* parent = nullptr);

  // The series whose categories are the ranks in index order, set i holding
  // the count of rank i; null: no icons.
  void set_rank_series(QAbstractBarSeries* series) { series_ = series; }

signals:
  void esignal_painted();
  void esignal_rank_clicked(int rank_index);

protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void drawForeground(QPainter* painter, const QRectF& rect) override;

private:
  QAbstractBarSeries* series_ = nullptr;
};
