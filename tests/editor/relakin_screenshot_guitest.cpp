// Renders relakin's main window with a table and every page of the data-description window.
// With RELAKIN_SCREENSHOT_DIR set (scripts/screenshot.sh) the images are saved there as PNG.
#include <QImage>
#include <QTabWidget>
#include <QTableView>

#include "editor/description_window.h"
#include "main_window_fixture.h"

namespace relakin::test {
namespace {

using ScreenshotTest = MainWindowTest;

// True when the image holds more than one colour: something was drawn.
bool HasContent(const QImage& image) {
  const QRgb first = image.pixel(0, 0);
  for (int y = 0; y < image.height(); y += 3) {
    for (int x = 0; x < image.width(); x += 3) {
      if (image.pixel(x, y) != first) return true;
    }
  }
  return false;
}

void Keep(QWidget& widget, const QString& name, QStringList& saved) {
  const QImage image = widget.grab().toImage();
  ASSERT_FALSE(image.isNull());
  EXPECT_TRUE(HasContent(image)) << name.toStdString();
  const QString dir = qEnvironmentVariable("RELAKIN_SCREENSHOT_DIR");
  if (dir.isEmpty()) return;
  const QString path = QDir(dir).filePath("relakin-" + name + ".png");
  EXPECT_TRUE(QDir().mkpath(dir) && image.save(path));
  saved << path;
}

TEST_F(ScreenshotTest, MainWindowWithATableAndTheDescriptionWindow) {
  window->resize(1000, 560);
  openFixture("screenshot.bvt");
  ASSERT_TRUE(prompts.errors().isEmpty());
  window->grid()->setCurrentIndex(window->model()->index(3, 2));
  QCoreApplication::processEvents();
  QStringList saved;
  Keep(*window, "main", saved);

  static const char* const kPages[] = {"populations", "locus",       "chart-alleles",
                                       "chart-sizes", "chart-means", "alleles-by-pop"};
  prompts.onDialog["f_descript"] = [&saved](QDialog& d) {
    auto& w = static_cast<DescriptionWindow&>(d);
    for (int i = 0; i < w.notebook()->count(); ++i) {
      w.notebook()->setCurrentIndex(i);
      QCoreApplication::processEvents();
      Keep(w, QString("description-") + kPages[i], saved);
    }
    return int(QDialog::Accepted);
  };
  trigger("Diagnostique1");
  EXPECT_EQ(prompts.dialogs, QStringList({"f_descript"}));
  for (const QString& path : saved) std::printf("%s\n", qPrintable(path));
}

}  // namespace
}  // namespace relakin::test
