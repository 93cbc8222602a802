#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSpinBox>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QValueAxis>
#include <vector>

#include "plotter/error_box.h"
#include "plotter/histogram_chart.h"
#include "plotter/open_dialog_filter.h"
#include "plotter_gui_helpers.h"

namespace vodave::testing {
namespace {

class VodaveMainWindowTest : public PlotterTest {
 protected:
  QAction* Item(const char* name) { return w.Form1.findChild<QAction*>(name); }
  HistogramChart* Chart() { return w.Form1.Chart1(); }

  std::vector<int> BarValues() {
    std::vector<int> values;
    if (QBarSet* bars = Chart()->Bars())
      for (int i = 0; i < bars->count(); ++i) values.push_back(static_cast<int>(bars->at(i)));
    return values;
  }
  QStringList Labels() { return Chart()->BottomAxis()->categories(); }

  // Opens the class dialog, types `text` into its spin edit and leaves with `button`.
  void ChangeClasses(const char* text, const char* button) {
    const auto answer = WhenModal([text, button](QWidget* dialog) {
      EXPECT_EQ(dialog->objectName(), "BtnRightDlg");
      auto* spin = dialog->findChild<QSpinBox*>("SpinEdit1");
      spin->setFocus();
      QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClicks(spin, text);
      ClickButton(dialog, button);
    });
    ClickMenu(w.Form1, "Changes1", "Nbclasses1");
  }
};

TEST_F(VodaveMainWindowTest, StartsWithNoFileAndItsMenus) {
  EXPECT_EQ(w.Form1.windowTitle(), "Graphiques");
  EXPECT_EQ(w.Form1.size(), QSize(854, 612));
  const struct {
    const char* menu;
    const char* title;
    std::vector<const char*> items;
  } menus[] = {{"File1", "&Fichier", {"&Ouvrir", "", "&Quitter"}},
               {"Changes1", "&Paramètres", {"Nb classes", "Distribution"}},
               {"help1", "&Aide", {"A propos ..."}}};
  for (const auto& m : menus) {
    auto* menu = w.Form1.findChild<QMenu*>(m.menu);
    ASSERT_TRUE(menu);
    EXPECT_EQ(menu->title(), QString::fromUtf8(m.title));
    ASSERT_EQ(menu->actions().size(), static_cast<qsizetype>(m.items.size()));
    for (std::size_t i = 0; i < m.items.size(); ++i)
      EXPECT_EQ(menu->actions()[static_cast<qsizetype>(i)]->text(), m.items[i]);
  }
  EXPECT_TRUE(Item("N1")->isSeparator());
  EXPECT_FALSE(Item("Nbclasses1")->isEnabled());
  EXPECT_FALSE(Item("Variable1")->isEnabled());
  EXPECT_FALSE(Chart()->isVisible());
  EXPECT_TRUE(w.Form1.PlotFileName().isEmpty());
  ClickMenu(w.Form1, "Changes1", "Nbclasses1");  // disabled: nothing opens
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(VodaveMainWindowTest, OpensAPermutationResultAndDrawsItsHistogram) {
  Open(TestData("permutation12.res"));
  EXPECT_EQ(w.Form1.PlotFileName(), TestData("permutation12.res"));
  EXPECT_TRUE(Chart()->isVisible());
  EXPECT_TRUE(Item("Nbclasses1")->isEnabled());
  EXPECT_TRUE(Item("Variable1")->isEnabled());
  EXPECT_EQ(BarValues(), (std::vector<int>{1, 0, 0, 2, 1, 1, 2, 1, 3, 2}));
  EXPECT_EQ(Labels(), (QStringList{"Cl. n° 1", "Cl. n° 2", "Cl. n° 3", "Cl. n° 4", "Cl. n° 5",
                                   "Cl. n° 6", "Cl. n° 7", "Cl. n° 8", "Cl. réelle", "Cl. n° 10"}));
  QBarSet* bars = Chart()->Bars();
  EXPECT_EQ(bars->selectedBars(), QList<int>{8});
  EXPECT_EQ(bars->selectedColor(), QColor(255, 0, 0));
  EXPECT_EQ(bars->color(), QColor(255, 255, 255));
  EXPECT_EQ(Chart()->BottomAxis()->titleText(), "limite > des classes");
  EXPECT_EQ(Chart()->LeftAxis()->titleText(), "EFFECTIFS");
  EXPECT_TRUE(Chart()->chart()->title().isEmpty());
}

TEST_F(VodaveMainWindowTest, MarksTheTopClassWhenItHoldsTheObservedValue) {
  Open(TestData("permutation10.res"));
  const QStringList labels = Labels();
  ASSERT_EQ(labels.size(), 10);
  EXPECT_EQ(labels.back(), "Cl. réelle");
  EXPECT_FALSE(labels.contains("Cl. n° 10"));
  EXPECT_EQ(Chart()->Bars()->selectedBars(), QList<int>{9});
}

TEST_F(VodaveMainWindowTest, DrawsAFileWithoutPermutation) {
  Open(TestData("permutation0.res"));
  EXPECT_TRUE(Chart()->isVisible());
  EXPECT_EQ(BarValues(), (std::vector<int>{1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Labels().front(), "Cl. réelle");
}

// A cancelled change keeps the drawing but not the former count: the next drawing uses it.
TEST_F(VodaveMainWindowTest, ChangesTheNumberOfClasses) {
  Open(TestData("permutation12.res"));
  ChangeClasses("12", "CancelBtn");
  EXPECT_EQ(BarValues().size(), 10u);
  Open(TestData("permutation10.res"));
  EXPECT_EQ(BarValues().size(), 12u);
  ChangeClasses("5", "OKBtn");
  EXPECT_EQ(BarValues(), (std::vector<int>{3, 2, 2, 2, 2}));
  EXPECT_EQ(Labels().back(), "Cl. réelle");
  ChangeClasses("20", "OKBtn");
  EXPECT_EQ(BarValues().size(), 20u);
  EXPECT_TRUE(Chart()->isVisible());
}

TEST_F(VodaveMainWindowTest, ShowsReadErrorsAndKeepsTheMenusAsTheyWere) {
  const QString bad = WriteFile("bad.gra", "a\r\nb\r\nc\r\nt\r\n0.5\r\n3\r\n0.1 x 0.3\r\n");
  const QString missing = dir.filePath("missing.gra");
  struct Case {
    QString path;
    QString text;
  } cases[] = {
      {bad, bad + ", ligne 7 : nombre attendu, trouvé « x »."},
      {missing, "Impossible d'ouvrir le fichier " + missing + "."},
  };
  for (bool loaded : {false, true}) {
    if (loaded) Open(TestData("permutation12.res"));
    for (const Case& c : cases) {
      auto box = CloseNextMessageBox();
      Open(c.path);
      EXPECT_TRUE(box->seen);
      EXPECT_EQ(box->text, c.text);
      EXPECT_EQ(box->title, QGuiApplication::applicationDisplayName());
      EXPECT_FALSE(Chart()->isVisible());
      EXPECT_EQ(w.Form1.PlotFileName(), c.path);
      EXPECT_EQ(Item("Nbclasses1")->isEnabled(), loaded);
      EXPECT_EQ(Item("Variable1")->isEnabled(), loaded);
    }
  }
}

// A window manager puts the caption in a title bar beside the window's icon and three buttons:
// the error box of a short message leaves room for them all.
TEST_F(VodaveMainWindowTest, ErrorBoxIsNoNarrowerThanItsCaption) {
  auto box = CloseNextMessageBox();
  ShowErrorBox(&w.Form1, "Vide.");
  ASSERT_TRUE(box->seen);
  QFont bold = box->font;
  bold.setBold(true);
  EXPECT_GE(box->width, QFontMetrics(bold).horizontalAdvance(box->title) + 4 * 24);
}

// 70000 would be 4464 in 16 bits; the file is refused and the program goes on without it.
TEST_F(VodaveMainWindowTest, RefusesMoreThanFiftyThousandValuesAndGoesOn) {
  Open(TestData("permutation12.res"));
  const QString big = WriteFile("big.gra", "a\r\nb\r\nc\r\nt\r\n0.5\r\n70000\r\n0.1 0.2\r\n");
  auto box = CloseNextMessageBox();
  ::testing::internal::CaptureStdout();
  Open(big);
  const std::string out = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(out, "Ce programme traite une série de 50000 valeurs au max !");
  EXPECT_EQ(box->text, QString::fromStdString(out));
  EXPECT_TRUE(w.Form1.isVisible());
  EXPECT_TRUE(w.Form1.PlotFileName().isEmpty());
  EXPECT_FALSE(Chart()->isVisible());
  EXPECT_FALSE(Item("Nbclasses1")->isEnabled());
  EXPECT_FALSE(Item("Variable1")->isEnabled());
  Open(TestData("permutation10.res"));
  EXPECT_TRUE(Chart()->isVisible());
}

TEST_F(VodaveMainWindowTest, ShowsTheAboutBox) {
  bool seen = false;
  const auto answer = WhenModal([&seen](QWidget* box) {
    seen = true;
    EXPECT_EQ(box->objectName(), "AboutBox");
    EXPECT_EQ(box->windowTitle(), "A propos");
    EXPECT_EQ(box->findChild<QLabel*>("ProductName")->text(), "Rizoduvi pour BRAVOLT");
    EXPECT_EQ(box->findChild<QLabel*>("Version")->text(), "version 4.0");
    EXPECT_FALSE(box->findChild<QLabel*>("ProgramIcon")->pixmap().isNull());
    ClickButton(box, "OKButton");
  });
  ClickMenu(w.Form1, "help1", "About1");
  EXPECT_TRUE(seen);
  EXPECT_FALSE(w.AboutBox.isVisible());
}

TEST_F(VodaveMainWindowTest, QuitClosesTheWindow) {
  ClickMenu(w.Form1, "File1", "Exit1");
  EXPECT_FALSE(w.Form1.isVisible());
}

// The window's own open dialog, with the plotter's file types, the first one selected. The file
// is typed into the file-name box as a user would: QFileDialog::selectFile() leaves that box
// empty once it has the focus, which the dialog gets at a moment of its own.
TEST(VodaveOpenDialogTest, OpensTheFileChosenInTheOpenDialog) {
  PlotterWindows w;
  w.Form1.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.Form1));
  bool seen = false;
  const auto answer = WhenModal([&seen](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_TRUE(dialog) << modal->metaObject()->className();
    seen = true;
    EXPECT_EQ(dialog->nameFilters(),
              (QStringList{"Fichiers test sur fis (*.fis)", "Fichiers test sur fit (*.fit)",
                           "Fichiers test sur fst (*.fst *.RH *.RHcor)",
                           "Fichiers graphiques (*.gra)", "Tous fichiers (*)"}));
    EXPECT_EQ(dialog->selectedNameFilter(), "Fichiers test sur fis");  // shown without patterns
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
    auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_TRUE(name);
    name->setText(TestData("permutation12.res"));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  ClickMenu(w.Form1, "File1", "Open1");
  EXPECT_TRUE(seen);
  EXPECT_EQ(w.Form1.PlotFileName(), TestData("permutation12.res"));
  EXPECT_TRUE(w.Form1.Chart1()->isVisible());
}

}  // namespace
}  // namespace vodave::testing
