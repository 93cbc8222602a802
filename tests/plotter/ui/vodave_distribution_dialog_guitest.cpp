#include <QImage>
#include <QLineEdit>
#include <QLocale>
#include <QPrinter>
#include <QTableWidget>
#include <algorithm>
#include <map>
#include <memory>

#include "plotter_gui_helpers.h"

namespace vodave::testing {
namespace {

class VodaveDistributionDialogTest : public PlotterTest {
 protected:
  void SetUp() override {
    QLocale::setDefault(QLocale::c());
    PlotterTest::SetUp();
  }
  void TearDown() override { QLocale::setDefault(QLocale::system()); }

  // Opens "Distribution", runs `look` on the dialog, then closes it with its OK button.
  void ShowDistribution(std::function<void(QWidget*)> look) {
    bool seen = false;
    const auto answer = WhenModal([&seen, look](QWidget* dialog) {
      seen = true;
      look(dialog);
      ClickButton(dialog, "BitBtn1");
    });
    ClickMenu(w.Form1, "Changes1", "Variable1");
    EXPECT_TRUE(seen);
    EXPECT_FALSE(w.distrib.isVisible());
  }

  static std::map<QString, QString> EditTexts(QWidget* dialog) {
    std::map<QString, QString> texts;
    for (auto* edit : dialog->findChildren<QLineEdit*>()) {
      if (edit->objectName().isEmpty()) continue;  // a line edit inside another widget
      EXPECT_TRUE(edit->isEnabled() && edit->isReadOnly()) << edit->objectName().toStdString();
      texts[edit->objectName()] = edit->text();
    }
    return texts;
  }

  static QStringList Row(QWidget* dialog, int row) {
    auto* grid = dialog->findChild<QTableWidget*>("Grid1");
    return {grid->item(row, 0)->text(), grid->item(row, 1)->text()};
  }

  std::string Distribution(const char* observed) {
    return std::string("a\r\nb\r\nc\r\nt\r\n") + observed + "\r\n4\r\n0.2 0.5 0.7 0.9\r\n";
  }
};

TEST_F(VodaveDistributionDialogTest, ShowsTheStatisticsOfTheFileJustOpened) {
  Open(TestData("permutation12.res"));
  ShowDistribution([](QWidget* dialog) {
    EXPECT_EQ(dialog->windowTitle(), "Paramètres de la distribution");
    EXPECT_EQ(dialog->size(), QSize(648, 454));
    const std::map<QString, QString> expected = {
        {"val_rel", "0.0417"},   {"oval_reel", "-0.0417"}, {"pour100", "16.67"},
        {"pourc_egal", "16.67"}, {"pourc_inf", "66.67"},   {"opour100", "91.67"},
        {"opourc_egal", "8.33"}, {"opourc_inf", "0.00"},   {"val_min", "-0.0417"},
        {"val_max", "0.0600"},   {"class_r", "9"}};
    const auto texts = EditTexts(dialog);
    EXPECT_EQ(texts.size(), 15u);
    for (const auto& [name, text] : expected) EXPECT_EQ(texts.at(name), text) << name.toStdString();
    // The class table matches the drawn bars.
    auto* grid = dialog->findChild<QTableWidget*>("Grid1");
    ASSERT_EQ(grid->rowCount(), 12);
    EXPECT_EQ(Row(dialog, 0), (QStringList{"Lim. > de classe", "Effectif"}));
    EXPECT_EQ(Row(dialog, 1), (QStringList{"-0.0315", "1"}));
    EXPECT_EQ(Row(dialog, 9), (QStringList{"0.0498", "3"}));
    EXPECT_EQ(Row(dialog, 10), (QStringList{"0.0600", "2"}));
    EXPECT_EQ(Row(dialog, 11), (QStringList{"Total", "13"}));
    EXPECT_EQ(grid->columnWidth(0), 120);
    EXPECT_EQ(grid->rowHeight(0), 20);
  });
}

// The figures are read-only, not disabled: drawn in the normal text colour, not greyed out, and
// the keyboard still goes from button to button.
TEST_F(VodaveDistributionDialogTest, ShowsTheFiguresInTheNormalTextColour) {
  Open(TestData("permutation12.res"));
  ShowDistribution([](QWidget* dialog) {
    int edits = 0;
    for (auto* edit : dialog->findChildren<QLineEdit*>()) {
      if (edit->objectName().isEmpty()) continue;
      SCOPED_TRACE(edit->objectName().toStdString());
      ++edits;
      EXPECT_TRUE(edit->isEnabled());
      EXPECT_TRUE(edit->isReadOnly());
      EXPECT_FALSE(edit->focusPolicy() & Qt::TabFocus);
      ASSERT_FALSE(edit->text().isEmpty());
      // The darkest pixel inside the frame belongs to the figure's text.
      const QImage image = edit->grab().toImage();
      const QRect inside = QRect(QPoint(), image.size()).adjusted(4, 4, -4, -4);
      int darkest = 255;
      for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
          darkest = std::min(darkest, qGray(image.pixel(x, y)));
      const QPalette& palette = edit->palette();
      EXPECT_LE(darkest, qGray(palette.color(QPalette::Active, QPalette::Text).rgb()) + 48);
      EXPECT_LT(darkest, qGray(palette.color(QPalette::Disabled, QPalette::Text).rgb()));
    }
    EXPECT_EQ(edits, 15);
  });
}

// The left column compares with the observed value, the right one with its opposite.
TEST_F(VodaveDistributionDialogTest, PutsTheSharesOfTheObservedValueOnTheLeft) {
  struct Case {
    const char* observed;
    QStringList texts;  // val_rel, oval_reel, pour100 .. pourc_inf, opour100 .. opourc_inf
  } cases[] = {
      {"0.5", {"0.5000", "-0.5000", "50.00", "25.00", "25.00", "100.00", "0.00", "0.00"}},
      {"-0.5", {"-0.5000", "0.5000", "100.00", "0.00", "0.00", "50.00", "25.00", "25.00"}},
      {"0", {"0.0000", "0.0000", "100.00", "0.00", "0.00", "100.00", "0.00", "0.00"}},
  };
  for (const Case& c : cases) {
    Open(WriteFile("d.gra", Distribution(c.observed)));
    ShowDistribution([&c](QWidget* dialog) {
      const auto t = EditTexts(dialog);
      EXPECT_EQ((QStringList{t.at("val_rel"), t.at("oval_reel"), t.at("pour100"),
                             t.at("pourc_egal"), t.at("pourc_inf"), t.at("opour100"),
                             t.at("opourc_egal"), t.at("opourc_inf")}),
                c.texts)
          << c.observed;
      EXPECT_EQ(t.at("val_mean"), c.observed == std::string("0.5")    ? "0.7000"
                                  : c.observed == std::string("-0.5") ? "0.4500"
                                                                      : "0.5750");
    });
  }
}

TEST_F(VodaveDistributionDialogTest, WritesNumbersWithTheUsersDecimalSeparator) {
  QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
  Open(TestData("permutation12.res"));
  ShowDistribution([](QWidget* dialog) {
    const auto t = EditTexts(dialog);
    EXPECT_EQ(t.at("val_rel"), "0,0417");
    EXPECT_EQ(t.at("opour100"), "91,67");
    EXPECT_EQ(Row(dialog, 10), (QStringList{"0,0600", "2"}));
  });
}

TEST_F(VodaveDistributionDialogTest, SaysWhatCannotBeComputed) {
  Open(TestData("permutation0.res"));
  ShowDistribution([](QWidget* dialog) {
    const auto t = EditTexts(dialog);
    for (const char* name : {"pour100", "opourc_inf", "val_mean", "std", "coef_as", "coef_ap"})
      EXPECT_EQ(t.at(name), "non défini") << name;
    EXPECT_EQ(t.at("val_min"), "-0.1250");
    EXPECT_EQ(t.at("class_r"), "1");
    EXPECT_EQ(Row(dialog, 11), (QStringList{"Total", "1"}));
  });
}

TEST_F(VodaveDistributionDialogTest, RefillsTheClassTableAtEveryDrawing) {
  Open(TestData("permutation12.res"));
  const auto answer = WhenModal([](QWidget* dialog) {
    auto* spin = dialog->findChild<QAbstractSpinBox*>("SpinEdit1");
    spin->setFocus();
    QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(spin, "5");
    ClickButton(dialog, "OKBtn");
  });
  ClickMenu(w.Form1, "Changes1", "Nbclasses1");
  ShowDistribution([](QWidget* dialog) {
    EXPECT_EQ(dialog->findChild<QTableWidget*>("Grid1")->rowCount(), 7);
    EXPECT_EQ(Row(dialog, 6), (QStringList{"Total", "13"}));
  });
}

TEST_F(VodaveDistributionDialogTest, PrintsTheDialogsImage) {
  const QString pdf = dir.filePath("stats.pdf");
  w.distrib.SetPrinterFactory([pdf] {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(pdf);
    return printer;
  });
  Open(TestData("permutation12.res"));
  ShowDistribution([](QWidget* dialog) { ClickButton(dialog, "BitBtn2"); });
  QFile file(pdf);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  EXPECT_TRUE(bytes.startsWith("%PDF"));
  EXPECT_TRUE(bytes.contains("/Image"));  // the dialog goes to paper as a picture
}

TEST_F(VodaveDistributionDialogTest, SaysSoWhenThereIsNoPrinter) {
  w.distrib.SetPrinterFactory([] { return std::unique_ptr<QPrinter>(); });
  Open(TestData("permutation12.res"));
  std::unique_ptr<BoxSeen> box;
  ShowDistribution([&box](QWidget* dialog) {
    box = CloseNextMessageBox();
    ClickButton(dialog, "BitBtn2");
  });
  ASSERT_TRUE(box && box->seen);
  EXPECT_EQ(box->text, "Aucune imprimante par défaut n'est installée.");
}

}  // namespace
}  // namespace vodave::testing
