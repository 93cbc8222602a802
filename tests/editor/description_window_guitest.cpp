// The data-description window: its figures for a two-population table shown by Diagnostic,
// labels that repeat, a second fill that leaves nothing of the first, and chart labels that read
// whole.
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QScatterSeries>
#include <QScreen>
#include <QTabWidget>
#include <algorithm>

#include "editor/description_charts.h"
#include "editor/description_window.h"
#include "editor/string_grid.h"
#include "main_window_fixture.h"

// Readable QStrings in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

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

// `pops` populations named by `name`, and as many loci named the same way.
DataDescription Named(int pops, const std::function<std::string(int)>& name) {
  DataDescription d;
  d.OutLocusNames = {""};
  d.LocusAlleles = {{}};
  d.PopNames = {""};
  d.SampleSize = {0};
  d.PopMeanAlleles = {0};
  d.PopLocusAlleleCount = {{}};
  for (int i = 1; i <= pops; ++i) {
    d.OutLocusNames.push_back(name(i));
    d.LocusAlleles.push_back({101, 102});
    d.PopNames.push_back(name(i));
    d.SampleSize.push_back(static_cast<std::uint16_t>(5 + i % 9));
    d.PopMeanAlleles.push_back(2.0f);
  }
  d.PopLocusAlleleCount.assign(pops + 1, std::vector<std::uint16_t>(pops + 1, 2));
  return d;
}

// The visible label items of `view`'s bottom axis, left to right.
std::vector<QGraphicsTextItem*> DrawnLabels(BarChartView& view) {
  const QStringList labels = view.categories()->categories();
  std::vector<QGraphicsTextItem*> drawn;
  for (QGraphicsItem* item : view.scene()->items()) {
    auto* text = dynamic_cast<QGraphicsTextItem*>(item);
    if (text == nullptr || !text->isVisible()) continue;
    if (labels.contains(text->toPlainText()) || text->toPlainText().contains("...") ||
        text->toPlainText().contains(QChar(0x2026)))
      drawn.push_back(text);
  }
  std::sort(drawn.begin(), drawn.end(), [](QGraphicsTextItem* a, QGraphicsTextItem* b) {
    return a->sceneBoundingRect().center().x() < b->sceneBoundingRect().center().x();
  });
  return drawn;
}

// Every label of both bar charts is drawn whole, inside the chart and clear of its neighbours,
// and the window fits the screen: short names, the names of an imported table, 25-character
// names, many populations, and names too long to stand upright in the screen's height at the
// chart's own font.
TEST(DescriptionWindowTest, ChartLabelsReadWhole) {
  const struct {
    const char* what;
    int pops;
    std::function<std::string(int)> name;
  } cases[] = {
      {"short", 2, [](int i) { return "Pop" + std::to_string(i); }},
      {"imported", 17, [](int i) { return "Population " + std::to_string(i); }},
      {"longest, two", 2, [](int i) { return "Population de Saint-Nic" + std::to_string(10 + i); }},
      {"longest", 17, [](int i) { return "Population de Saint-Nic" + std::to_string(10 + i); }},
      {"many", 22, [](int i) { return "Colonie " + std::to_string(i); }},
      {"too long", 3,
       [](int i) { return "Population du col de la Schlucht " + std::to_string(i); }},
  };
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    DescriptionWindow w;
    w.fill(Named(c.pops, c.name));
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_LE(w.frameGeometry().height(), screen.height());
    for (BarChartView* view : {w.chart1(), w.chart2()}) {
      SCOPED_TRACE(view->objectName().toStdString());
      w.notebook()->setCurrentWidget(view);
      QCoreApplication::processEvents();
      const QStringList labels = view->categories()->categories();
      ASSERT_EQ(labels.size(), c.pops);
      EXPECT_FALSE(view->categories()->labelsTruncated());
      EXPECT_GE(view->categories()->labelsFont().pointSizeF(), 6.0);
      const std::vector<QGraphicsTextItem*> drawn = DrawnLabels(*view);
      QStringList texts;
      for (QGraphicsTextItem* item : drawn) texts << item->toPlainText();
      EXPECT_EQ(texts, labels);
      for (std::size_t k = 0; k < drawn.size(); ++k) {
        const QRectF box = drawn[k]->sceneBoundingRect();
        EXPECT_TRUE(view->sceneRect().contains(box)) << texts[static_cast<int>(k)].toStdString();
        if (k > 0) {
          EXPECT_FALSE(box.intersects(drawn[k - 1]->sceneBoundingRect())) << k;
        }
      }
    }
  }
}

}  // namespace
}  // namespace relakin::test
