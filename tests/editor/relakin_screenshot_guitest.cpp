// Renders relakin's main window with a table and every page of the data-description window.
// With RELAKIN_SCREENSHOT_DIR set (scripts/screenshot.sh) the images are saved there as PNG.
#include <QImage>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>

#include "editor/description_window.h"
#include "editor/radio_group.h"
#include "formats/dialogs/fictext_dialog.h"
#include "formats/dialogs/import_dialog.h"
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

TEST_F(ScreenshotTest, ImportDialogsWithATextFileInThePreview) {
  QFile text(path("pop.txt"));
  ASSERT_TRUE(text.open(QIODevice::WriteOnly));
  text.write(
      "fca8;fca23;fca43\r\nNancy;N01;0913;0409;0505\r\nNancy;N02;0000;0909;0407\r\n"
      "Metz;M01;1313;0409;0101\r\n");
  text.close();
  QStringList saved;
  prompts.onDialog["f_fictext"] = [&saved](QDialog& d) {
    auto& t = static_cast<Tf_fictext&>(d);
    Keep(t, "import-text-raw", saved);
    t.separateur()->button(2)->click();
    t.nbchiffre()->setItemIndex(1);
    QCoreApplication::processEvents();
    Keep(t, "import-text-preview", saved);
    t.reject();
    return int(QDialog::Rejected);
  };
  prompts.onDialog["f_import"] = [this, &saved](QDialog& d) {
    auto& i = static_cast<Tf_import&>(d);
    i.nomfich()->setText("pop.txt");
    i.Nature()->setItemIndex(3);
    QCoreApplication::processEvents();
    Keep(i, "import", saved);
    i.OKBtn()->click();
    return d.result();
  };
  trigger("Importer1");
  EXPECT_EQ(prompts.dialogs, QStringList({"f_import", "f_fictext"}));
  for (const QString& path : saved) std::printf("%s\n", qPrintable(path));
}

}  // namespace
}  // namespace relakin::test
