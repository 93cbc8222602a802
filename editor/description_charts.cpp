#include "editor/description_charts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QFontMetricsF>
#include <QScatterSeries>
#include <QScreen>
#include <QSet>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

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

// The chart gives each label the axis's width shared among one more category on each side,
// less a padding on both sides, and draws its text with a margin all round; the axis spans at
// least the plot area.
constexpr double kLabelPadding = 2 * 4.0;
constexpr double kTextMargin = 2 * 4.0;
constexpr int kLevel = 0;
constexpr int kUpright = -90;
constexpr double kSmallestPoints = 6.0;
constexpr double kPointStep = 0.5;
// A chart gives its bottom axis at most this share of its height, labels and title together.
constexpr double kAxisShare = 0.4;
// Room below the labels and around the axis's title.
constexpr double kAxisSpacing = 16.0;

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
  labelsFont_ = categories_->labelsFont();
  largestFont_ = labelsFont_;
  setRenderHint(QPainter::Antialiasing);
  connect(chart(), &QChart::plotAreaChanged, this, &BarChartView::fitLabels);
}

void BarChartView::fitLabels() {
  const QStringList labels = categories_->categories();
  if (labels.isEmpty()) return;
  const auto widest = [&labels](const QFont& font) {
    const QFontMetricsF metrics(font);
    double width = 0.0;
    for (const QString& label : labels) width = std::max(width, metrics.horizontalAdvance(label));
    return width;
  };
  const double room = chart()->plotArea().width() / (labels.size() + 2) - kLabelPadding;
  QFont font = largestFont_;
  int angle = kLevel;
  if (widest(font) + kTextMargin > room) {
    // Upright, a label is as wide as its font is high.
    angle = kUpright;
    while (QFontMetricsF(font).height() + kTextMargin > room &&
           font.pointSizeF() - kPointStep >= kSmallestPoints)
      font.setPointSizeF(font.pointSizeF() - kPointStep);
  }
  if (categories_->labelsFont() != font) categories_->setLabelsFont(font);
  if (categories_->labelsAngle() != angle) categories_->setLabelsAngle(angle);
}

int BarChartView::uprightLabelsHeight(const QFont& font) const {
  const QFontMetricsF labels(font);
  double longest = 0.0;
  for (const QString& label : categories_->categories())
    longest = std::max(longest, labels.horizontalAdvance(label));
  const double axis =
      longest + kTextMargin + QFontMetricsF(categories_->titleFont()).height() + kAxisSpacing;
  const QMargins margins = chart()->margins();
  double around = 2 * frameWidth() + margins.top() + margins.bottom() + kAxisSpacing;
  if (!chart()->title().isEmpty()) around += QFontMetricsF(chart()->titleFont()).height();
  return static_cast<int>(std::ceil(axis / kAxisShare + around));
}

void BarChartView::fitHeight() {
  // The window around the chart: its tabs, margins and title bar.
  constexpr int kAroundChart = 80;
  const QScreen* screen = this->screen();
  const int most = screen ? screen->availableGeometry().height() * 9 / 10 - kAroundChart
                          : std::numeric_limits<int>::max();
  largestFont_ = labelsFont_;
  while (uprightLabelsHeight(largestFont_) > most &&
         largestFont_.pointSizeF() - kPointStep >= kSmallestPoints)
    largestFont_.setPointSizeF(largestFont_.pointSizeF() - kPointStep);
  setMinimumHeight(std::min(uprightLabelsHeight(largestFont_), std::max(most, 0)));
}

void BarChartView::setBars(const QList<qreal>& values, const QStringList& labels) {
  bars_->remove(0, bars_->count());
  categories_->clear();
  bars_->append(values);
  categories_->append(DistinctLabels(labels));
  qreal largest = 0;
  for (qreal v : values) largest = std::max(largest, v);
  FitRange(values_, largest);
  fitHeight();
  fitLabels();
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
