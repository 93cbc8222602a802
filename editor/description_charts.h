// The description window's charts: bars with one label each (labels may repeat or be empty,
// and every bar still gets its own category) and a point chart. The bar labels read whole:
// level while the widest fits its share of the axis, upright otherwise, in a smaller font when
// too many stand side by side; the chart asks for the height its labels need upright, their
// font made smaller when the screen is not that high.
#pragma once

#include <QChartView>
#include <QFont>
#include <QList>
#include <QStringList>

class QBarSet;
class QBarCategoryAxis;
class QScatterSeries;
class QValueAxis;

namespace relakin {

class BarChartView : public QChartView {
  Q_OBJECT

 public:
  BarChartView(const QString& title, const QString& xTitle, const QString& yTitle,
               QWidget* parent = nullptr);
  // Replaces the bars: one per value, labelled by the matching label.
  void setBars(const QList<qreal>& values, const QStringList& labels);
  QBarSet* bars() const { return bars_; }
  QBarCategoryAxis* categories() const { return categories_; }

 private:
  // Level or upright labels, and their font, for the room a category has on the axis now.
  void fitLabels();
  // The chart's height that shows the longest label upright in `font`.
  int uprightLabelsHeight(const QFont& font) const;
  // The minimum height, and the largest labels font that it leaves room for.
  void fitHeight();

  QBarSet* bars_;
  QBarCategoryAxis* categories_;
  QValueAxis* values_;
  QFont labelsFont_;   // the chart's own
  QFont largestFont_;  // what the screen's height allows
};

class PointChartView : public QChartView {
  Q_OBJECT

 public:
  PointChartView(const QString& xTitle, const QString& yTitle, QWidget* parent = nullptr);
  // Replaces the points; labels[i] names point i (not drawn).
  void setPoints(const QList<QPointF>& points, const QStringList& labels);
  QScatterSeries* points() const { return points_; }
  const QStringList& pointLabels() const { return labels_; }

 private:
  QScatterSeries* points_;
  QValueAxis* x_;
  QValueAxis* y_;
  QStringList labels_;
};

// Labels made distinct by appending zero-width spaces, so a category axis keeps them all.
QStringList DistinctLabels(const QStringList& labels);

}  // namespace relakin
