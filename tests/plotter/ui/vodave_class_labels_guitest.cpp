// The class labels under the histogram read whole at every class count the class dialog allows,
// in the window's own size: what the chart draws is each label's full text, and no two labels
// overlap. With VODAVE_SCREENSHOT_DIR set, the window at 5, 12 and 20 classes is saved there.
#include <QDir>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QSpinBox>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QChart>
#include <sstream>

#include "plotter/histogram_chart.h"
#include "plotter_gui_helpers.h"

namespace vodave::testing {
namespace {

// 41 values spread from -1 to 1, ten to a line, and the observed value 0.2 among them.
std::string SpreadValues() {
  std::ostringstream text;
  text << "Data File name : spread.bvt\r\n5 Loci\r\n2 Population(s) grouped\r\n title\r\n"
          " 0.200000000 <--- Value for real data\r\n   41\r\n";
  for (int k = 0; k <= 40; ++k) text << ' ' << -1.0 + k * 0.05 << (k % 10 == 9 ? "\r\n" : "");
  return text.str();
}

// The visible label items of the bottom axis, left to right.
std::vector<QGraphicsTextItem*> DrawnLabels(HistogramChart& view, const QStringList& labels) {
  std::vector<QGraphicsTextItem*> drawn;
  for (QGraphicsItem* item : view.scene()->items()) {
    auto* text = dynamic_cast<QGraphicsTextItem*>(item);
    if (text == nullptr || !text->isVisible() || text->toPlainText().isEmpty()) continue;
    if (text->toPlainText().startsWith("Cl.") || labels.contains(text->toPlainText()))
      drawn.push_back(text);
  }
  std::sort(drawn.begin(), drawn.end(), [](QGraphicsTextItem* a, QGraphicsTextItem* b) {
    return a->sceneBoundingRect().center().x() < b->sceneBoundingRect().center().x();
  });
  return drawn;
}

using VodaveClassLabelsTest = PlotterTest;

TEST_F(VodaveClassLabelsTest, EveryLabelReadsWholeFromFiveToTwentyClasses) {
  ASSERT_EQ(w.Form1.size(), QSize(854, 612));
  const QString file = WriteFile("spread.res", SpreadValues());
  const QByteArray shots = qgetenv("VODAVE_SCREENSHOT_DIR");
  for (int classes = 5; classes <= 20; ++classes) {
    SCOPED_TRACE(classes);
    w.BtnRightDlg.findChild<QSpinBox*>("SpinEdit1")->setValue(classes);
    Open(file);
    QCoreApplication::processEvents();
    HistogramChart& view = *w.Form1.Chart1();
    const QStringList labels = view.BottomAxis()->categories();
    ASSERT_EQ(labels.size(), classes);
    ASSERT_TRUE(labels.contains(QString::fromUtf8("Cl. réelle")));
    EXPECT_GE(view.BottomAxis()->labelsFont().pointSizeF(), 8.0);

    const std::vector<QGraphicsTextItem*> drawn = DrawnLabels(view, labels);
    QStringList texts;
    for (QGraphicsTextItem* item : drawn) texts << item->toPlainText();
    EXPECT_EQ(texts, labels);
    for (std::size_t k = 0; k < drawn.size(); ++k) {
      const QRectF box = drawn[k]->sceneBoundingRect();
      EXPECT_TRUE(view.sceneRect().contains(box)) << texts[static_cast<int>(k)].toStdString();
      if (k > 0) {
        EXPECT_FALSE(box.intersects(drawn[k - 1]->sceneBoundingRect())) << k;
      }
    }
    if (!shots.isEmpty() && (classes == 5 || classes == 12 || classes == 20)) {
      QDir().mkpath(QString::fromLocal8Bit(shots));
      w.Form1.grab().save(QString::fromLocal8Bit(shots) +
                          QString("/vodave-classes-%1.png").arg(classes));
    }
  }
}

}  // namespace
}  // namespace vodave::testing
