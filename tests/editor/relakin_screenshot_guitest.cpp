// Renders relakin's main window with a table and every page of the data-description window,
// the import dialogs, and the windows of a table imported from FSTAT (nancycats.dat): the main
// window, the data description, the subset chooser, the result viewer and a message box. With
// RELAKIN_SCREENSHOT_DIR set (scripts/screenshot.sh) the images are saved there as PNG.
#include <QImage>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>

#include "analysis/dialogs/poploclist_dialog.h"
#include "editor/description_window.h"
#include "editor/result_viewer.h"
#include "editor/view_file_command.h"
#include "formats/dialogs/fictext_dialog.h"
#include "formats/dialogs/import_dialog.h"
#include "main_window_fixture.h"
#include "modal_windows.h"
#include "platform/url_opener.h"
#include "widgets/radio_group.h"

namespace relakin::test {
namespace {

class ScreenshotTest : public MainWindowTest {
 protected:
  // The next data-description window is kept page by page, each named `prefix` + its page.
  void keepDescriptionPages(const QString& prefix, QStringList& saved);
};

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

void ScreenshotTest::keepDescriptionPages(const QString& prefix, QStringList& saved) {
  static const char* const kPages[] = {"populations", "locus",       "chart-alleles",
                                       "chart-sizes", "chart-means", "alleles-by-pop"};
  prompts.onDialog["f_descript"] = [prefix, &saved](QDialog& d) {
    auto& w = static_cast<DescriptionWindow&>(d);
    for (int i = 0; i < w.notebook()->count(); ++i) {
      w.notebook()->setCurrentIndex(i);
      QCoreApplication::processEvents();
      Keep(w, prefix + kPages[i], saved);
    }
    return int(QDialog::Accepted);
  };
}

TEST_F(ScreenshotTest, MainWindowWithATableAndTheDescriptionWindow) {
  window->resize(1000, 560);
  openFixture("screenshot.bvt");
  ASSERT_TRUE(prompts.errors().isEmpty());
  window->grid()->setCurrentIndex(window->model()->index(3, 2));
  QCoreApplication::processEvents();
  QStringList saved;
  Keep(*window, "main", saved);

  keepDescriptionPages("description-", saved);
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

// Never asked: the viewer shows text files itself.
class NoBrowser : public UrlOpener {
 public:
  bool open(const QUrl&) override { return false; }
};

TEST_F(ScreenshotTest, WindowsOfAnImportedFstatTable) {
  ASSERT_TRUE(QFile::copy(QString(RELAKIN_TEST_DATA) + "/formats/nancycats.dat", path("cats.dat")));
  prompts.onDialog["f_import"] = [](QDialog& d) {
    auto& i = static_cast<Tf_import&>(d);
    i.nomfich()->setText("cats.dat");
    i.Nature()->setItemIndex(1);
    i.OKBtn()->click();
    return d.result();
  };
  trigger("Importer1");
  ASSERT_TRUE(prompts.errors().isEmpty()) << prompts.errors().join("\n").toStdString();
  ASSERT_EQ(window->document().NbPops, 17u);
  QCoreApplication::processEvents();
  QStringList saved;
  Keep(*window, "imported-main", saved);

  keepDescriptionPages("imported-description-", saved);
  trigger("Diagnostique1");

  {
    Tpoploclist chooser(window->document(), prompts, window.get());
    chooser.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chooser));
    Keep(chooser, "imported-subset-chooser", saved);
    chooser.reject();
  }

  // A relatedness matrix of 40 individuals, as the relatedness run writes it.
  QFile matrix(path("cats.res"));
  ASSERT_TRUE(matrix.open(QIODevice::WriteOnly));
  matrix.write(
      "Relatedness (Queller & Goodnight)  Donn\xe9"
      "es : cats\r\n");
  for (int i = 1; i <= 40; ++i) {
    QByteArray row = QByteArray::number(i).rightJustified(4);
    for (int j = 1; j <= 40; ++j)
      row += QByteArray::number(i == j ? 1.0 : ((i * 7 + j * 3) % 17 - 8) / 32.0, 'f', 4)
                 .rightJustified(8);
    matrix.write(row + "\r\n");
  }
  matrix.close();
  NoBrowser browser;
  window->showMaximized();
  QCoreApplication::processEvents();
  ResultViewer* viewer = ShowResultFile(path("cats.res"), window.get(), browser);
  ASSERT_NE(viewer, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(viewer));
  Keep(*viewer, "imported-viewer", saved);
  delete viewer;

  {
    gui_testing::ModalAnswer answer([&saved](QWidget* box) {
      Keep(*box, "message", saved);
      gui_testing::CloseModal(box);
    });
    QtPrompts().tell(window.get(), QMessageBox::NoIcon, QString::fromUtf8("Traitement annulé !"));
  }
  for (const QString& path : saved) std::printf("%s\n", qPrintable(path));
}

}  // namespace
}  // namespace relakin::test
