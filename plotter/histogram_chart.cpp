#include "plotter/histogram_chart.h"

#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QValueAxis>
#include <algorithm>

#include "plotter/class_labels.h"

namespace vodave {
namespace {

const QColor kObservedColour(255, 0, 0);
const QColor kOtherColour(255, 255, 255);

// A tick step of 1, 2 or 5 times a power of ten that gives at most ten steps up to `top`.
int TickStep(int top) {
  for (int power = 1;; power *= 10)
    for (int m : {1, 2, 5})
      if (top <= 10 * m * power) return m * power;
}

}  // namespace

// The chart is handed to the view's constructor, whose scene then owns it: a chart given later
// through setChart() would orphan the empty one the plain constructor makes.
HistogramChart::HistogramChart(QWidget* parent) : QChartView(new QChart, parent) {
  setObjectName("Chart1");
  QChart* chart = this->chart();
  chart->setTitle(QString());
  chart->setBackgroundBrush(Qt::white);
  series_ = new QBarSeries(chart);
  series_->setObjectName("Series1");
  chart->addSeries(series_);
  axis_x_ = new QBarCategoryAxis(chart);
  axis_x_->setTitleText("limite > des classes");
  axis_y_ = new QValueAxis(chart);
  axis_y_->setTitleText("EFFECTIFS");
  axis_y_->setLabelFormat("%d");
  axis_y_->setTickType(QValueAxis::TicksDynamic);
  axis_y_->setTickAnchor(0);
  chart->addAxis(axis_x_, Qt::AlignBottom);
  chart->addAxis(axis_y_, Qt::AlignLeft);
  series_->attachAxis(axis_x_);
  series_->attachAxis(axis_y_);
  setRenderHint(QPainter::Antialiasing);
  connect(chart, &QChart::plotAreaChanged, this,
          [this] { FitClassLabels(*this->chart(), *axis_x_); });
}

QBarSet* HistogramChart::Bars() const {
  return series_->count() ? series_->barSets().front() : nullptr;
}

void HistogramChart::Clear() {
  series_->clear();
  axis_x_->clear();
}

void HistogramChart::Fill(const ClassTable& table, int observedClass) {
  Clear();
  auto* bars = new QBarSet("Histogramme");
  QStringList labels;
  int highest = 0;
  for (int k = 1; k <= table.NbClasses; ++k) {
    bars->append(table.ClassCounts[k]);
    highest = std::max(highest, static_cast<int>(table.ClassCounts[k]));
    labels << (k == observedClass ? QString::fromUtf8("Cl. réelle")
                                  : QString::fromUtf8("Cl. n° ") + QString::number(k));
  }
  // The chart's theme styles a set when it joins the series: colour it afterwards.
  series_->append(bars);
  bars->setColor(kOtherColour);
  bars->setBorderColor(Qt::black);
  bars->setSelectedColor(kObservedColour);
  if (observedClass >= 1 && observedClass <= table.NbClasses) bars->selectBar(observedClass - 1);
  axis_x_->append(labels);
  FitClassLabels(*chart(), *axis_x_);
  const int step = TickStep(std::max(highest, 1));
  axis_y_->setTickInterval(step);
  axis_y_->setRange(0, (std::max(highest, 1) + step - 1) / step * step);
}

}  // namespace vodave
