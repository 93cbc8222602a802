// Renders vodave's windows with a permutation result loaded and checks the pictures: the
// histogram shows one red bar among white ones. With VODAVE_SCREENSHOT_DIR set, the pictures are
// also saved there as PNG files (scripts/screenshot-vodave.sh does that).
#include <QImage>
#include <QPixmap>
#include <QtCharts/QBarSeries>
#include <algorithm>

#include "plotter/histogram_chart.h"
#include "plotter_gui_helpers.h"

namespace vodave::testing {
namespace {

int CountPixels(const QImage& image, QRgb colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == colour;
  return n;
}

void Keep(const QPixmap& picture, const char* name) {
  const QByteArray dir = qgetenv("VODAVE_SCREENSHOT_DIR");
  if (dir.isEmpty()) return;
  QDir().mkpath(QString::fromLocal8Bit(dir));
  EXPECT_TRUE(picture.save(QString::fromLocal8Bit(dir) + "/" + name, "PNG")) << name;
}

using VodaveScreenshotTest = PlotterTest;

TEST_F(VodaveScreenshotTest, DrawsTheObservedClassInRed) {
  Open(TestData("permutation12.res"));
  const QPixmap window = w.Form1.grab();
  Keep(window, "vodave-main.png");
  HistogramChart* view = w.Form1.Chart1();
  const QImage chart = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
  // Where bar k (0-based) reaches `value` on the picture.
  auto at = [view](int k, double value) {
    return view->mapFromScene(view->chart()->mapToPosition(QPointF(k, value), view->Series1()));
  };
  // Counts 1 0 0 2 1 1 2 1 3 2; class 9 holds the observed value.
  EXPECT_EQ(chart.pixel(at(8, 1.5)), qRgb(255, 0, 0));
  EXPECT_EQ(chart.pixel(at(0, 0.5)), qRgb(255, 255, 255));
  // A white bar shows by its outline: scan across bar 4 between two gridlines (these are far
  // lighter than the outline).
  int darkest = 255;
  for (int x = at(2, 1.5).x(); x <= at(3, 1.5).x(); ++x)
    darkest = std::min(darkest, qGray(chart.pixel(x, at(3, 1.5).y())));
  EXPECT_LT(darkest, 160);
  EXPECT_GT(CountPixels(chart, qRgb(255, 0, 0)), 1000);

  w.distrib.FillEdits();
  w.distrib.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.distrib));
  Keep(w.distrib.grab(), "vodave-distribution.png");
  w.distrib.hide();
  for (QWidget* dialog :
       {static_cast<QWidget*>(&w.BtnRightDlg), static_cast<QWidget*>(&w.AboutBox)}) {
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    Keep(dialog->grab(), dialog == &w.AboutBox ? "vodave-about.png" : "vodave-classes.png");
    dialog->hide();
  }
}

TEST_F(VodaveScreenshotTest, PaintsNoRedBeforeAFileIsOpened) {
  const QImage window = w.Form1.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(CountPixels(window, qRgb(255, 0, 0)), 0);
}

}  // namespace
}  // namespace vodave::testing
