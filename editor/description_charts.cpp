#include "editor/description_charts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QScatterSeries>
#include <QSet>
#include <QValueAxis>
#include <algorithm>

namespace relakin {
namespace {

QChart* MakeChart(const QString& title) {
  auto* chart = new QChart;
  chart->setTitle(title);
  chart->legend()->hide();
  return chart;
}

QValueAxis* MakeValueAxis(QChart* chart, const QString& title, Qt::Alignment side) {
  auto* axis = new QValueAxis;
  axis->setTitleText(title);
  axis->setLabelFormat("%g");
  chart->addAxis(axis, side);
  return axis;
}

// A range from 0 that leaves room above the largest value.
void FitRange(QValueAxis* axis, qreal largest) {
  axis->setRange(0, std::max<qreal>(1, largest * 1.1));
  axis->applyNiceNumbers();
}

}  // namespace

QStringList DistinctLabels(const QStringList& labels) {
  QSet<QString> seen;
  QStringList out;
  for (QString label : labels) {
    while (seen.contains(label)) label += QChar(0x200B);
    seen.insert(label);
    out << label;
  }
  return out;
}

BarChartView::BarChartView(const QString& title, const QString& xTitle, const QString& yTitle,
                           QWidget* parent)
    : QChartView(MakeChart(title), parent) {
  bars_ = new QBarSet({});
  bars_->setColor(Qt::red);
  bars_->setBorderColor(Qt::red);
  bars_->setLabelColor(Qt::black);
  auto* series = new QBarSeries;
  series->append(bars_);
  series->setLabelsVisible(true);
  series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
  chart()->addSeries(series);
  categories_ = new QBarCategoryAxis;
  categories_->setTitleText(xTitle);
  chart()->addAxis(categories_, Qt::AlignBottom);
  series->attachAxis(categories_);
  values_ = MakeValueAxis(chart(), yTitle, Qt::AlignLeft);
  series->attachAxis(values_);
  setRenderHint(QPainter::Antialiasing);
}

void BarChartView::setBars(const QList<qreal>& values, const QStringList& labels) {
  bars_->remove(0, bars_->count());
  categories_->clear();
  bars_->append(values);
  categories_->append(DistinctLabels(labels));
  qreal largest = 0;
  for (qreal v : values) largest = std::max(largest, v);
  FitRange(values_, largest);
}

PointChartView::PointChartView(const QString& xTitle, const QString& yTitle, QWidget* parent)
    : QChartView(MakeChart({}), parent) {
  points_ = new QScatterSeries;
  points_->setColor(Qt::red);
  points_->setBorderColor(Qt::red);
  points_->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
  points_->setMarkerSize(8);
  points_->setPointLabelsVisible(false);
  chart()->addSeries(points_);
  x_ = MakeValueAxis(chart(), xTitle, Qt::AlignBottom);
  y_ = MakeValueAxis(chart(), yTitle, Qt::AlignLeft);
  points_->attachAxis(x_);
  points_->attachAxis(y_);
  setRenderHint(QPainter::Antialiasing);
}

void PointChartView::setPoints(const QList<QPointF>& points, const QStringList& labels) {
  points_->replace(points);
  labels_ = labels;
  qreal maxX = 0;
  qreal maxY = 0;
  for (const QPointF& p : points) {
    maxX = std::max(maxX, p.x());
    maxY = std::max(maxY, p.y());
  }
  FitRange(x_, maxX);
  FitRange(y_, maxY);
}

}  // namespace relakin
