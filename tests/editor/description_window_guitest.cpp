// The data-description window: its figures for a two-population table shown by Diagnostic,
// labels that repeat, and a second fill that leaves nothing of the first.
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QScatterSeries>
#include <QTabWidget>

#include "editor/description_charts.h"
#include "editor/description_window.h"
#include "editor/string_grid.h"
#include "main_window_fixture.h"

namespace relakin::test {
namespace {

using DescriptionTest = MainWindowTest;

QStringList Column(const StringGrid* grid, int col) {
  QStringList out;
  for (int row = 0; row < grid->rowCount(); ++row) out << grid->cell(col, row);
  return out;
}

QList<qreal> Values(const QBarSet* set) {
  QList<qreal> out;
  for (int i = 0; i < set->count(); ++i) out << set->at(i);
  return out;
}

TEST_F(DescriptionTest, DiagnosticShowsTheFiguresOfTwoPopulations) {
  openFixture();
  DescriptionWindow* w = window->descriptionWindow();
  bool shown = false;
  prompts.onDialog["f_descript"] = [&shown](QDialog& d) {
    shown = d.isVisible();
    QTest::mouseClick(d.findChild<QPushButton*>("OKBtn"), Qt::LeftButton);
    return d.result();
  };
  trigger("Diagnostique1");
  ASSERT_TRUE(prompts.errors().isEmpty()) << prompts.errors().join("\n").toStdString();
  EXPECT_TRUE(shown);
  EXPECT_EQ(w->windowTitle(), QString::fromUtf8("Description des données"));

  QStringList tabs;
  for (int i = 0; i < w->notebook()->count(); ++i) tabs << w->notebook()->tabText(i);
  EXPECT_EQ(tabs, QStringList({"Populations", "Locus", QString::fromUtf8("N allèles / locus"),
                               QString::fromUtf8("N indiv. / échant."),
                               QString::fromUtf8("N allèles / taille éch."), "N all/loc/pop"}));

  const StringGrid* pop = w->popGrid();
  ASSERT_EQ(pop->rowCount(), 3);
  ASSERT_EQ(pop->colCount(), 3);
  EXPECT_EQ(Column(pop, 0), QStringList({QString::fromUtf8("Pop n°"), QString::fromUtf8("1°"),
                                         QString::fromUtf8("2°")}));
  EXPECT_EQ(Column(pop, 1), QStringList({"Population", "North", "South"}));
  EXPECT_EQ(Column(pop, 2), QStringList({"N", "3", "2"}));

  const StringGrid* loc = w->locGrid();
  ASSERT_EQ(loc->colCount(), 3);
  ASSERT_EQ(loc->rowCount(), 4);
  EXPECT_EQ(Column(loc, 0), QStringList({"", QString::fromUtf8("Nb. allèles"),
                                         QString::fromUtf8("1°"), QString::fromUtf8("2°")}));
  EXPECT_EQ(Column(loc, 1), QStringList({"L1", "2", "101", "105"}));
  EXPECT_EQ(Column(loc, 2), QStringList({"L2", "1", "210", ""}));

  const StringGrid* lp = w->gridLocPop();
  ASSERT_EQ(lp->colCount(), 3);
  ASSERT_EQ(lp->rowCount(), 3);
  EXPECT_EQ(Column(lp, 0), QStringList({"", "L1", "L2"}));
  EXPECT_EQ(Column(lp, 1), QStringList({"Pop1", "2", "1"}));
  EXPECT_EQ(Column(lp, 2), QStringList({"Pop2", "1", "1"}));

  EXPECT_EQ(Values(w->chart1()->bars()), QList<qreal>({2, 1}));
  EXPECT_EQ(w->chart1()->categories()->count(), 2);
  EXPECT_EQ(w->chart1()->chart()->title(), QString::fromUtf8("Nombre d'allèles par locus"));
  EXPECT_EQ(Values(w->chart2()->bars()), QList<qreal>({3, 2}));
  EXPECT_EQ(w->chart2()->bars()->color(), QColor(Qt::red));
  const QList<QPointF> points = w->chart3()->points()->points();
  ASSERT_EQ(points.size(), 2);
  EXPECT_EQ(points[0], QPointF(3, 1.5));
  EXPECT_EQ(points[1], QPointF(2, 1.0));
  EXPECT_EQ(w->chart3()->pointLabels(), QStringList({"North", "South"}));
}

// Three populations, two of them without a name and one repeating another's.
DataDescription Repeated() {
  DataDescription d;
  d.OutLocusNames = {"", "A", "A", ""};
  d.LocusAlleles = {{}, {101, 102, 103}, {7}, {}};
  d.PopNames = {"", "", "X", ""};
  d.SampleSize = {0, 4, 0, 1};
  d.PopMeanAlleles = {0, 1.0f, 0.0f, 0.5f};
  d.PopLocusAlleleCount = {{}, {0, 3, 1, 0}, {0, 0, 0, 0}, {0, 1, 0, 0}};
  return d;
}

TEST(DescriptionWindowTest, RepeatedAndEmptyLabelsEachKeepTheirBar) {
  DescriptionWindow w;
  w.fill(Repeated());
  EXPECT_EQ(w.chart1()->bars()->count(), 3);
  EXPECT_EQ(w.chart1()->categories()->count(), 3);
  EXPECT_EQ(w.chart2()->bars()->count(), 3);
  EXPECT_EQ(w.chart2()->categories()->count(), 3);
  EXPECT_EQ(w.chart2()->bars()->at(1), 0);  // an empty population keeps its bar at 0
  EXPECT_EQ(w.popGrid()->cell(2, 2), "0");
  EXPECT_EQ(w.locGrid()->cell(3, 1), "0");  // a locus with no complete genotype
  EXPECT_EQ(w.locGrid()->cell(3, 2), "");
  EXPECT_EQ(DistinctLabels({"a", "", "a", ""}).size(), 4);
  EXPECT_EQ(DistinctLabels({"a", "", "a", ""}).removeDuplicates(), 0);
}

TEST(DescriptionWindowTest, SecondFillLeavesNothingOfTheFirst) {
  DescriptionWindow w;
  w.fill(Repeated());
  DataDescription small;
  small.OutLocusNames = {"", "L"};
  small.LocusAlleles = {{}, {5}};
  small.PopNames = {"", "P"};
  small.SampleSize = {0, 1};
  small.PopMeanAlleles = {0, 1.0f};
  small.PopLocusAlleleCount = {{}, {0, 1}};
  w.fill(small);
  EXPECT_EQ(w.locGrid()->colCount(), 2);
  EXPECT_EQ(w.locGrid()->rowCount(), 3);
  EXPECT_EQ(Column(w.locGrid(), 1), QStringList({"L", "1", "005"}));
  EXPECT_EQ(w.gridLocPop()->colCount(), 2);
  EXPECT_EQ(w.gridLocPop()->rowCount(), 2);
  EXPECT_EQ(w.popGrid()->rowCount(), 2);
  EXPECT_EQ(w.chart1()->bars()->count(), 1);
  EXPECT_EQ(w.chart3()->points()->count(), 1);
}

}  // namespace
}  // namespace relakin::test
