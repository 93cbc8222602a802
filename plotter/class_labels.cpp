#include "plotter/class_labels.h"

#include <QFontMetricsF>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QChart>
#include <algorithm>

namespace vodave {
namespace {

// The chart cuts a level label longer than its share of the axis (one share more than there
// are categories) less a padding on each side; a few pixels more keep clear of rounding.
constexpr double kLabelMargin = 12.0;
constexpr int kLevel = 0;
constexpr int kUpright = -90;

}  // namespace

void FitClassLabels(const QChart& chart, QBarCategoryAxis& axis) {
  const QStringList labels = axis.categories();
  if (labels.isEmpty()) return;
  const QFontMetricsF metrics(axis.labelsFont());
  double widest = 0.0;
  for (const QString& label : labels) widest = std::max(widest, metrics.horizontalAdvance(label));
  const double room = chart.plotArea().width() / (labels.size() + 1) - kLabelMargin;
  axis.setLabelsAngle(widest <= room ? kLevel : kUpright);
}

}  // namespace vodave
