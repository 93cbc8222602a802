// The data-description window ("Description des données"): populations, alleles per locus,
// three charts and the alleles per locus and population of the last save that showed it.
// Lives for the whole run; each fill() replaces everything it showed before.
#pragma once

#include <QDialog>

#include "core/data_description.h"

class QTabWidget;

namespace relakin {

class BarChartView;
class PointChartView;
class StringGrid;

class DescriptionWindow : public QDialog {
  Q_OBJECT

 public:
  explicit DescriptionWindow(QWidget* parent = nullptr);

  void fill(const DataDescription& description);

  QTabWidget* notebook() const { return notebook_; }
  StringGrid* popGrid() const { return popGrid_; }
  StringGrid* locGrid() const { return locGrid_; }
  StringGrid* gridLocPop() const { return gridLocPop_; }
  BarChartView* chart1() const { return chart1_; }
  BarChartView* chart2() const { return chart2_; }
  PointChartView* chart3() const { return chart3_; }

 private:
  void fillPopulations(const DataDescription& d);
  void fillLoci(const DataDescription& d);
  void fillLociByPopulation(const DataDescription& d);
  void fillCharts(const DataDescription& d);

  QTabWidget* notebook_;
  StringGrid* popGrid_;
  StringGrid* locGrid_;
  StringGrid* gridLocPop_;
  BarChartView* chart1_;
  BarChartView* chart2_;
  PointChartView* chart3_;
};

}  // namespace relakin
