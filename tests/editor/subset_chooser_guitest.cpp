// The subset chooser: moving populations and loci between its lists, the two messages of OK,
// the close flag, and the selection file it has written before the analysis runs on it.
#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <functional>

#include "analysis_dialogs_fixture.h"
#include "core/selection_file.h"

namespace relakin::test {
namespace {

using SubsetChooserRuns = AnalysisDialogsTest;

QStringList Texts(const QListWidget* list) {
  QStringList texts;
  for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
  return texts;
}

QStringList Selected(const QListWidget* list) {
  QStringList texts;
  for (int i = 0; i < list->count(); ++i) {
    if (list->item(i)->isSelected()) texts << list->item(i)->text();
  }
  return texts;
}

// Clicks the rows given, the first plainly and the others with Ctrl, as a user extends a
// selection.
void SelectRows(QListWidget* list, std::initializer_list<int> rows) {
  Qt::KeyboardModifiers mods = Qt::NoModifier;
  for (int row : rows) {
    const QRect r = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, mods, r.center());
    mods = Qt::ControlModifier;
  }
}

void Click(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }

struct ButtonStates {
  bool include, includeAll, exclude, excludeAll;
};

ButtonStates PopButtons(const Tpoploclist& c) {
  return {c.IncludeBtn->isEnabled(), c.IncAllBtn->isEnabled(), c.ExcludeBtn->isEnabled(),
          c.ExAllBtn->isEnabled()};
}
ButtonStates LocusButtons(const Tpoploclist& c) {
  return {c.SpeedButton1->isEnabled(), c.SpeedButton2->isEnabled(), c.SpeedButton3->isEnabled(),
          c.SpeedButton4->isEnabled()};
}
void ExpectButtons(const ButtonStates& got, const ButtonStates& want, const char* what) {
  EXPECT_EQ(got.include, want.include) << what;
  EXPECT_EQ(got.includeAll, want.includeAll) << what;
  EXPECT_EQ(got.exclude, want.exclude) << what;
  EXPECT_EQ(got.excludeAll, want.excludeAll) << what;
}

// The chooser alone, on the five-population table, shown for clicks.
class SubsetChooserMoves : public AnalysisDialogsTest {
 protected:
  void SetUp() override {
    AnalysisDialogsTest::SetUp();
    chooser = std::make_unique<Tpoploclist>(window->document(), prompts, window.get());
    chooser->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(chooser.get()));
  }
  void TearDown() override {
    chooser.reset();
    AnalysisDialogsTest::TearDown();
  }
  std::unique_ptr<Tpoploclist> chooser;
};

TEST_F(SubsetChooserMoves, OpensWithEveryPopulationAndUsedLocusAndTheFlagsDown) {
  const Tpoploclist& c = *chooser;
  EXPECT_EQ(c.windowTitle(), "Choose populations and/or loci");
  EXPECT_EQ(c.size(), QSize(616, 261));
  EXPECT_EQ(Texts(c.SrcList), QStringList({"1-North", "2-South", "3-East", "4-West", "5-Central"}));
  EXPECT_EQ(Texts(c.srcloc), QStringList({"1-L1", "2-L2", "3-L3"}));
  EXPECT_TRUE(Texts(c.DstList).isEmpty());
  EXPECT_TRUE(Texts(c.dstloc).isEmpty());
  EXPECT_EQ(c.focusWidget(), c.OKBtn);
  ExpectButtons(PopButtons(c), {true, true, false, false}, "populations at start");
  ExpectButtons(LocusButtons(c), {true, true, false, false}, "loci at start");
  EXPECT_EQ(c.IncludeBtn->toolTip(), QString::fromUtf8("Sélectionner une population"));
  EXPECT_EQ(c.SpeedButton4->toolTip(), "Supprimer tous les locus");
  EXPECT_EQ(window->document().PopSelection, std::vector<bool>(6, false));
  EXPECT_EQ(window->document().LocusSelection, std::vector<bool>(4, false));
}

TEST_F(SubsetChooserMoves, SelectedBlockArrivesReversedAndTheNextItemIsSelected) {
  Tpoploclist& c = *chooser;
  SelectRows(c.SrcList, {0, 2, 3});
  Click(c.IncludeBtn);
  EXPECT_EQ(Texts(c.DstList), QStringList({"4-West", "3-East", "1-North"}));
  EXPECT_EQ(Texts(c.SrcList), QStringList({"2-South", "5-Central"}));
  EXPECT_EQ(Selected(c.SrcList), QStringList({"2-South"}));
  ExpectButtons(PopButtons(c), {true, true, true, true}, "after >");
  ExpectButtons(LocusButtons(c), {true, true, false, false}, "loci untouched");
  Click(c.IncludeBtn);  // repeated presses walk down the list
  EXPECT_EQ(Selected(c.SrcList), QStringList({"5-Central"}));
  Click(c.IncludeBtn);
  EXPECT_TRUE(Texts(c.SrcList).isEmpty());
  ExpectButtons(PopButtons(c), {false, false, true, true}, "source empty");
  EXPECT_EQ(Texts(c.DstList), QStringList({"4-West", "3-East", "1-North", "2-South", "5-Central"}));
}

TEST_F(SubsetChooserMoves, AllAndBackKeepsTheOrderAndEmptySourceHasNoSelection) {
  Tpoploclist& c = *chooser;
  Click(c.SpeedButton2);
  EXPECT_TRUE(Texts(c.srcloc).isEmpty());
  EXPECT_TRUE(Selected(c.srcloc).isEmpty());
  ExpectButtons(LocusButtons(c), {false, false, true, true}, "after >>");
  Click(c.SpeedButton4);
  EXPECT_EQ(Texts(c.srcloc), QStringList({"1-L1", "2-L2", "3-L3"}));
  EXPECT_TRUE(Texts(c.dstloc).isEmpty());
  ExpectButtons(LocusButtons(c), {true, true, false, false}, "after <<");

  Click(c.SpeedButton1);  // nothing selected: nothing moves, the first item is selected
  EXPECT_EQ(Texts(c.srcloc), QStringList({"1-L1", "2-L2", "3-L3"}));
  EXPECT_EQ(Selected(c.srcloc), QStringList({"1-L1"}));
  SelectRows(c.srcloc, {2});
  Click(c.SpeedButton1);
  SelectRows(c.dstloc, {0});
  Click(c.SpeedButton3);
  EXPECT_EQ(Texts(c.srcloc), QStringList({"1-L1", "2-L2", "3-L3"}));
  EXPECT_TRUE(Texts(c.dstloc).isEmpty());
}

TEST_F(SubsetChooserMoves, OkNeedsAPopulationFirstThenALocusAndStaysOpen) {
  Tpoploclist& c = *chooser;
  Click(c.OKBtn);
  EXPECT_EQ(prompts.told.size(), 1u);
  SelectRows(c.SrcList, {1});
  Click(c.IncludeBtn);
  Click(c.OKBtn);
  ASSERT_EQ(prompts.told.size(), 2u);
  EXPECT_EQ(prompts.told[0].text, "Il faut au moins une population !!");
  EXPECT_EQ(prompts.told[1].text, "Il faut au moins un locus !!");
  EXPECT_EQ(prompts.told[1].icon, QMessageBox::NoIcon);
  EXPECT_TRUE(c.isVisible());
  EXPECT_FALSE(Tpoploclist::PopLocListCloseAllowed);
  c.close();  // the close box does nothing while the flag is down
  EXPECT_TRUE(c.isVisible());
  EXPECT_FALSE(QFile::exists(path("temp.tmp")));
  EXPECT_FALSE(window->document().AnalysisFileReady);
  QTest::keyClick(&c, Qt::Key_Escape);  // Escape presses Cancel
  EXPECT_FALSE(c.isVisible());
  EXPECT_TRUE(Tpoploclist::PopLocListCloseAllowed);
}

TEST(SubsetChooser, PopulationNamesWithDashesAndManyPopulations) {
  Document doc;
  doc.Cells.Resize(3, 302);
  doc.Cells.SetCell(2, 1, "Adh");
  for (int p = 1; p <= 300; ++p) {
    ++doc.NbPops;
    doc.SetPopFirstRow(p, static_cast<std::uint16_t>(p + 1));
    const std::string number = std::to_string(p);
    doc.SetPopName(p, p == 7 ? std::string("A-B") : std::string("P").append(number));
    doc.Cells.SetCell(1, p + 1, std::string("i").append(number));
    doc.Cells.SetCell(2, p + 1, "101101");
  }
  FakePrompts prompts;
  Tpoploclist c(doc, prompts);
  c.show();
  ASSERT_EQ(c.SrcList->count(), 300);
  EXPECT_EQ(c.SrcList->item(6)->text(), "7-A-B");
  c.SrcList->item(6)->setSelected(true);
  c.SrcList->item(299)->setSelected(true);
  Click(c.IncludeBtn);
  Click(c.SpeedButton2);
  QTemporaryDir dir;
  const QString old = QDir::currentPath();
  QDir::setCurrent(dir.path());
  Click(c.OKBtn);
  QDir::setCurrent(old);
  EXPECT_TRUE(doc.AnalysisFileReady);
  EXPECT_FALSE(c.isVisible());
  EXPECT_TRUE(doc.PopSelection.empty());  // released once written
  const QByteArray text = ReadAll(dir.filePath("temp.tmp"));
  EXPECT_TRUE(text.startsWith("1 \r\n2\r\nAdh\r\n1 101 \r\nA-B\r\n1\r\n"));
  EXPECT_TRUE(text.endsWith("P300\r\n1\r\n      i300 101101\r\n"));
}

TEST_F(SubsetChooserRuns, ChosenSubsetIsWrittenThenAnalysed) {
  prompts.onDialog["poploclist"] = [](QDialog& d) {
    auto& c = static_cast<Tpoploclist&>(d);
    SelectRows(c.SrcList, {4, 1});
    Click(c.IncludeBtn);
    SelectRows(c.srcloc, {0, 2});
    Click(c.SpeedButton1);
    Click(c.OKBtn);
    EXPECT_FALSE(c.isVisible());
    return d.result();
  };
  relatedness([](Tficres& d) {
    pick(d.choix_trait(), 1);
    ok(d);
    EXPECT_FALSE(d.isVisible());
  });
  EXPECT_EQ(prompts.dialogs, QStringList({"ficres", "poploclist"}));
  EXPECT_EQ(toldTexts(), QStringList({"TRAITEMENT FINI !"}));
  EXPECT_FALSE(window->document().AnalysisFileReady);
  EXPECT_TRUE(window->document().PopSelection.empty());
  EXPECT_TRUE(window->document().LocusSelection.empty());

  Document copy = window->document();
  copy.PopSelection = {false, false, true, false, false, true};
  copy.LocusSelection = {false, true, false, true};
  SilentMessages quiet;
  const std::string expected = SelectionFileText(copy, quiet);
  EXPECT_EQ(ReadAll(path("temp.tmp")).toStdString(), expected);
  EXPECT_EQ(expected.substr(0, 2), "2 ");
  EXPECT_NE(expected.find("\r\n2\r\nL1\r\n"), std::string::npos);
  const QByteArray dialogs = ReadAll(path("five_pops.res"));
  CoreRun core;
  RunRelatedness("temp.tmp", "core.res", 2, 0, true, 0, 0, 0, core.context);
  EXPECT_EQ(dialogs, ReadAll(path("core.res")));
  EXPECT_TRUE(dialogs.contains("\r\n2 Loci\r\n2 Population(s) grouped\r\n"));
}

TEST_F(SubsetChooserRuns, CancelledChooserCancelsTheRunEvenAfterASave) {
  prompts.saveNames.push_back(path("saved.bvt"));
  trigger("Saveas1");
  ASSERT_TRUE(window->document().AnalysisFileReady);  // the save raised it
  prompts.told.clear();
  prompts.onDialog["poploclist"] = [](QDialog& d) {
    auto& c = static_cast<Tpoploclist&>(d);
    Click(c.IncAllBtn);
    Click(c.CancelBtn);
    return d.result();
  };
  permutation([](Tficres& d) {
    pick(d.choix_trait(), 1);
    ok(d);
    EXPECT_FALSE(d.isVisible());
  });
  EXPECT_EQ(toldTexts(), QStringList({QString::fromUtf8("Traitement annulé !")}));
  EXPECT_FALSE(QFile::exists(path("temp.tmp")));
  EXPECT_FALSE(QFile::exists(path("saved.res")));
  EXPECT_FALSE(QFile::exists(path("vector0.txt")));
}

// A refused OK earlier in the same showing does not keep the dialog open once the chooser is
// cancelled: "Traitement annulé !" ends the showing in every dialog.
TEST_F(SubsetChooserRuns, CancelledChooserClosesTheDialogAfterAnEarlierRefusal) {
  prompts.onDialog["poploclist"] = [](QDialog& d) {
    Click(static_cast<Tpoploclist&>(d).CancelBtn);
    return d.result();
  };
  const auto refuseThenCancel = [](AnalysisDialog& d) {
    setName(d, "");
    ok(d);
    ASSERT_FALSE(d.closeAllowed());
    setName(d, "x.res");
    pick(d.choix_trait(), 1);
    ok(d);
    EXPECT_FALSE(d.isVisible());
    EXPECT_TRUE(d.closeAllowed());
    pick(d.choix_trait(), 0);
  };
  const struct {
    const char* what;
    std::function<void()> show;
  } cases[] = {
      {"Relatedness", [&] { relatedness(refuseThenCancel); }},
      {"Permutation test", [&] { permutation(refuseThenCancel); }},
      {"Confidence Interval", [&] { confidence(refuseThenCancel); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    prompts.told.clear();
    c.show();
    EXPECT_EQ(toldTexts(), QStringList({QString::fromUtf8("Nom du fichier résultat absent !"),
                                        QString::fromUtf8("Traitement annulé !")}));
    EXPECT_FALSE(QFile::exists(path("x.res")));
  }
}

TEST_F(SubsetChooserRuns, ConfidenceIntervalsOnASubset) {
  prompts.onDialog["poploclist"] = [](QDialog& d) {
    auto& c = static_cast<Tpoploclist&>(d);
    Click(c.IncAllBtn);
    Click(c.SpeedButton2);
    Click(c.OKBtn);
    return d.result();
  };
  confidence([](Tboots_jack& d) {
    pick(d.choix_trait(), 1);
    pick(d.boo_or_jack(), 1);
    ok(d);
  });
  EXPECT_EQ(toldTexts().last(), "TRAITEMENT FINI !");
  // Every population and locus chosen: the table's rows as the whole-table writer has them.
  writeCoreAnalysisFile("core.tmp");
  CoreRun core;
  RunConfidenceIntervals("core.tmp", "core.res", 0, 2, true, 1, core.context);
  EXPECT_EQ(ReadAll(path("five_pops.res")), ReadAll(path("core.res")));
}

// Each list shows its longest item whole, without scrolling sideways, before and after the
// items moved: the populations of an imported table ("12-Population 12") and 25-character
// names. Names too long for the screen together scroll sideways, and the chooser still fits.
TEST(SubsetChooser, ListsShowTheirLongestItemWhole) {
  const auto imported = [](int p) { return std::string("Population ").append(std::to_string(p)); };
  const auto longest = [](int p) {
    return std::string("Population de Saint-Nic").append(std::to_string(10 + p));
  };
  const struct {
    const char* what;
    int pops;
    std::function<std::string(int)> name;
    const char* loci[2];
    bool whole;
  } cases[] = {
      {"imported", 17, imported, {"fca8", "fca23"}, true},
      {"longest", 12, longest, {"fca8", "fca23"}, true},
      {"too wide", 12, longest, {"Adh-microsatellite", "Pgm-2-locus-nuclear"}, false},
  };
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Document doc;
    doc.Cells.Resize(4, c.pops + 2);
    doc.Cells.SetCell(2, 1, c.loci[0]);
    doc.Cells.SetCell(3, 1, c.loci[1]);
    for (int p = 1; p <= c.pops; ++p) {
      ++doc.NbPops;
      doc.SetPopFirstRow(p, static_cast<std::uint16_t>(p + 1));
      doc.SetPopName(p, c.name(p));
      doc.Cells.SetCell(1, p + 1, std::string("i").append(std::to_string(p)));
      doc.Cells.SetCell(2, p + 1, "101101");
      doc.Cells.SetCell(3, p + 1, "101102");
    }
    FakePrompts prompts;
    Tpoploclist chooser(doc, prompts);
    chooser.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chooser));
    EXPECT_GE(chooser.width(), 616);
    EXPECT_EQ(chooser.height(), 261);
    EXPECT_LE(chooser.frameGeometry().width(), screen.width());
    const auto expectWhole = [&c](QListWidget* list, const QString& text) {
      QCoreApplication::processEvents();
      SCOPED_TRACE(list->objectName().toStdString());
      const bool fits =
          list->viewport()->width() >= QFontMetrics(list->font()).horizontalAdvance(text);
      EXPECT_EQ(fits, c.whole);
      EXPECT_EQ(list->horizontalScrollBar()->maximum() == 0, c.whole);
    };
    const QString pop = QString::number(c.pops) + "-" + QString::fromStdString(c.name(c.pops));
    const QString locus = QString("2-") + c.loci[1];
    expectWhole(chooser.SrcList, pop);
    expectWhole(chooser.srcloc, locus);
    Click(chooser.IncAllBtn);
    Click(chooser.SpeedButton2);
    expectWhole(chooser.DstList, pop);
    expectWhole(chooser.dstloc, locus);
    chooser.reject();
  }
}

}  // namespace
}  // namespace relakin::test
