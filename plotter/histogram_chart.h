// Chart1: the histogram, one bar per class, the class of the observed value in red and labelled
// "Cl. réelle", the others white and labelled "Cl. n° " with their number.
#pragma once

#include <QtCharts/QChartView>

#include "plotter/stats/histogram.h"

class QBarCategoryAxis;
class QBarSeries;
class QBarSet;
class QValueAxis;

namespace vodave {

class HistogramChart : public QChartView {
  Q_OBJECT

 public:
  explicit HistogramChart(QWidget* parent = nullptr);

  // Removes every bar.
  void Clear();
  // One bar per class of `table`; `observedClass` (1-based, 0 for none) is the red one.
  void Fill(const ClassTable& table, int observedClass);

  QBarSeries* Series1() const { return series_; }
  // The bars, or null when the chart is empty.
  QBarSet* Bars() const;
  QBarCategoryAxis* BottomAxis() const { return axis_x_; }
  QValueAxis* LeftAxis() const { return axis_y_; }

 private:
  QBarSeries* series_;
  QBarCategoryAxis* axis_x_;
  QValueAxis* axis_y_;
};

}  // namespace vodave
