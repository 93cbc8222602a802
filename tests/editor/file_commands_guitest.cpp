// New, Open, Save As, the save question on New and on closing, and Diagnostic, driven by the
// window's shortcuts and menu actions.
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <cstring>

#include "core/flush_counter.h"
#include "editor/genotype_table_model.h"
#include "main_window_fixture.h"

namespace relakin::test {
namespace {

using NewTest = MainWindowTest;
using OpenTest = MainWindowTest;
using SaveAsTest = MainWindowTest;
using SaveQuestionTest = MainWindowTest;
using DiagnosticTest = MainWindowTest;

const char* const kTableCommands[] = {"Saveas1", "save_b",  "cut_b",       "paste_b",
                                      "copy_b",  "Trait1",  "Conversion1", "Diagnostique1",
                                      "Cut1",    "Insert1", "Remove1",     "KeystoPopulations1",
                                      "N2"};

TEST_F(NewTest, DefautGivesTenIndividualsAndFiveLoci) {
  keys(Qt::Key_N);
  EXPECT_TRUE(prompts.asked.isEmpty());  // no name yet: no question
  EXPECT_EQ(prompts.dialogs, QStringList({"dimension"}));
  const GenotypeTable& t = window->document().Cells;
  ASSERT_EQ(t.RowCount(), 12);
  ASSERT_EQ(t.ColCount(), 7);
  for (int c = 2; c <= 6; ++c) EXPECT_EQ(t.Cells(c, 0), "Loc." + std::to_string(c - 1));
  EXPECT_EQ(t.Cells(1, 0), "");
  EXPECT_EQ(t.Cells(0, 2), "Pop Ind1");
  for (int r = 3; r <= 11; ++r) EXPECT_EQ(t.Cells(0, r), "      Ind" + std::to_string(r - 1));
  for (int c = 1; c <= 6; ++c) {
    for (int r = 1; r <= 11; ++r) EXPECT_EQ(t.Cells(c, r), "") << c << "," << r;
  }
  EXPECT_EQ(window->document().NbPops, 1);
  EXPECT_EQ(window->document().PopFirstRow[1], 2);

  QTableView* grid = window->grid();
  EXPECT_TRUE(grid->isVisible());
  EXPECT_EQ(grid->model()->rowCount(), 11);
  EXPECT_EQ(grid->model()->columnCount(), 6);
  EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString(), "Loc.1");
  EXPECT_EQ(grid->model()->headerData(1, Qt::Vertical).toString(), "Pop Ind1");
  EXPECT_EQ(grid->currentIndex(), window->model()->tableIndex(1, 2));
  EXPECT_EQ(grid->columnWidth(0), 100);

  EXPECT_EQ(window->windowTitle(), "Untitled");
  EXPECT_EQ(window->currentFileName(), "Untitled");
  EXPECT_FALSE(window->isModified());
  EXPECT_FALSE(window->action("Save1")->isEnabled());
  for (const char* name : kTableCommands) EXPECT_TRUE(window->action(name)->isEnabled()) << name;
}

TEST_F(NewTest, OkTakesTheTypedDimensionsAndTheDialogKeepsThem) {
  prompts.onDialog["dimension"] = [](QDialog& d) {
    auto& dim = static_cast<DimensionDialog&>(d);
    for (auto [spin, text] : {std::pair{dim.indivEdit(), "20"}, std::pair{dim.lociEdit(), "3"}}) {
      spin->setFocus();
      spin->selectAll();
      QTest::keyClicks(spin, text);
    }
    QTest::mouseClick(dim.okButton(), Qt::LeftButton);
    return d.result();
  };
  keys(Qt::Key_N);
  EXPECT_EQ(window->document().Cells.RowCount(), 22);
  EXPECT_EQ(window->document().Cells.ColCount(), 5);
  EXPECT_EQ(window->document().Cells.Cells(4, 0), "Loc.3");

  // A second New proposes the same numbers; "Defaut" still gives 10 x 5.
  EXPECT_EQ(window->dimensionDialog()->individuals(), 20);
  EXPECT_EQ(window->dimensionDialog()->loci(), 3);
  prompts.onDialog["dimension"] = [](QDialog& d) { return ClickDefaut(d); };
  keys(Qt::Key_N);
  EXPECT_EQ(window->document().Cells.RowCount(), 12);
  EXPECT_EQ(window->document().Cells.ColCount(), 7);
}

TEST_F(NewTest, OutOfRangeDimensionsComeBackIntoRange) {
  prompts.onDialog["dimension"] = [](QDialog& d) {
    auto& dim = static_cast<DimensionDialog&>(d);
    dim.lociEdit()->setFocus();
    dim.lociEdit()->selectAll();
    QTest::keyClicks(dim.lociEdit(), "99");
    QTest::mouseClick(dim.okButton(), Qt::LeftButton);
    return d.result();
  };
  keys(Qt::Key_N);
  EXPECT_EQ(window->document().Cells.ColCount(), 60 + 2);
}

TEST_F(NewTest, NewAfterOpenKeepsSaveEnabledAndSaveThenAsksForAName) {
  openFixture();
  keys(Qt::Key_N);
  EXPECT_TRUE(window->action("Save1")->isEnabled());
  EXPECT_EQ(window->document().PopNames[1], "North");  // slot 1 keeps its name
  prompts.saveNames.push_back(path("fresh"));
  keys(Qt::Key_S);
  EXPECT_EQ(prompts.fileFilters.back(), "BRAVOLT |*.bvt");
  EXPECT_TRUE(QFile::exists(path("fresh.bvt")));
  EXPECT_EQ(window->windowTitle(), path("fresh.bvt"));
}

TEST_F(OpenTest, OpenReadsTheFileIntoTheGrid) {
  QSignalSpy replaced(window.get(), &MainWindow::tableReplaced);
  openFixture();
  EXPECT_TRUE(prompts.errors().isEmpty()) << prompts.errors().join("\n").toStdString();
  EXPECT_EQ(prompts.fileFilters.back(),
            "Fichiers BRAVOLT (*.bvt)|*.bvt|Fichiers texte (*.txt)|*.txt|Tous les fichiers "
            "(*.*)|*.*");
  const Document& doc = window->document();
  EXPECT_EQ(doc.Cells.RowCount(), 7);
  EXPECT_EQ(doc.Cells.ColCount(), 4);
  EXPECT_EQ(doc.Cells.Cells(2, 1), "L1");
  EXPECT_EQ(doc.Cells.Cells(1, 6), "      Ind5");
  EXPECT_EQ(doc.Cells.Cells(2, 3), "101105");
  EXPECT_EQ(doc.NbPops, 2);
  EXPECT_EQ(window->model()->data(window->model()->tableIndex(3, 6)).toString(), "000000");
  EXPECT_TRUE(window->grid()->isVisible());
  EXPECT_EQ(window->windowTitle(), TestData("two_pops.bvt"));
  EXPECT_EQ(window->currentFileName(), TestData("two_pops.bvt"));
  EXPECT_FALSE(window->isModified());
  EXPECT_EQ(replaced.count(), 1);
  for (const char* name : kTableCommands) EXPECT_TRUE(window->action(name)->isEnabled()) << name;
  EXPECT_TRUE(window->action("Save1")->isEnabled());
}

TEST_F(OpenTest, CancelledDialogChangesNothing) {
  newEditedTable();
  keys(Qt::Key_O);  // no name queued: the dialog is cancelled
  EXPECT_EQ(window->windowTitle(), "Untitled");
  EXPECT_TRUE(window->isModified());
}

TEST_F(OpenTest, FailedOpenKeepsThePreviousTable) {
  // The reader's own refusal is a plain message; a file that cannot be read, the error box.
  struct Case {
    const char* file;
    const char* message;
    QMessageBox::Icon icon;
  };
  const Case cases[] = {
      {"not_native.bvt", "Ce fichier ne semble pas être un fichier au format BRAVOLT !",
       QMessageBox::NoIcon},
      {"missing.bvt", "missing.bvt", QMessageBox::Critical},
      {"name_overflow.bvt",
       "name_overflow.bvt, ligne 9 : le nom de l'individu 1 de la population 1 déborde de ses 10 "
       "caractères",
       QMessageBox::Critical},
  };
  newEditedTable();
  prompts.answers.assign(std::size(cases), QMessageBox::No);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    prompts.told.clear();
    prompts.openNames.push_back(TestData(c.file));
    keys(Qt::Key_O);
    ASSERT_EQ(prompts.told.size(), 1u);
    EXPECT_EQ(prompts.told[0].icon, c.icon);
    EXPECT_TRUE(prompts.told[0].text.contains(QString::fromUtf8(c.message)))
        << prompts.told[0].text.toStdString();
    EXPECT_EQ(window->windowTitle(), "Untitled");
    EXPECT_EQ(window->currentFileName(), "Untitled");
    EXPECT_TRUE(window->isModified());
    EXPECT_EQ(cell(1, 2), "Ind01");
    EXPECT_EQ(window->document().Cells.RowCount(), 12);
    EXPECT_TRUE(window->grid()->isVisible());
  }
}

TEST_F(SaveAsTest, WritesTheForcedNativeName) {
  struct Case {
    const char* typed;
    const char* written;
  };
  const Case cases[] = {{"pop.txt", "pop.bvt"},
                        {"plain", "plain.bvt"},
                        {"pop.old.txt", "pop.oldbvt"},
                        {"dot.", "dot.bvt"}};
  newEditedTable();
  QSignalSpy recent(window.get(), &MainWindow::recentFileCandidate);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    window->setModified(true);
    prompts.saveNames.push_back(path(c.typed));
    keys(Qt::Key_A);
    const QString written = path(c.written);
    EXPECT_TRUE(QFile::exists(written));
    EXPECT_FALSE(QFile::exists(path(c.typed)) && QString(c.typed) != c.written);
    EXPECT_TRUE(ReadAll(written).startsWith(("0 " + written + "\r\n").toUtf8()))
        << ReadAll(written).left(60).toStdString();
    EXPECT_EQ(window->windowTitle(), written);
    EXPECT_EQ(window->currentFileName(), written);
    EXPECT_FALSE(window->isModified());
    ASSERT_FALSE(recent.isEmpty());
    EXPECT_EQ(recent.takeLast().at(0).toString(), written);
    EXPECT_EQ(prompts.dialogs.back(), "f_descript");
  }
  EXPECT_TRUE(prompts.asked.isEmpty());
}

TEST_F(SaveAsTest, AsksBeforeReplacingAFileThatTheForcedNameHits) {
  newEditedTable();
  QFile existing(path("pop.bvt"));
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.write("old");
  existing.close();

  prompts.saveNames.push_back(path("pop.txt"));
  prompts.answers.push_back(QMessageBox::No);
  keys(Qt::Key_A);
  EXPECT_EQ(prompts.asked, QStringList({"Overwrite this file ?"}));
  EXPECT_EQ(ReadAll(path("pop.bvt")), "old");
  EXPECT_TRUE(window->isModified());
  EXPECT_EQ(window->windowTitle(), "Untitled");

  prompts.saveNames.push_back(path("pop.txt"));
  prompts.answers.push_back(QMessageBox::Yes);
  keys(Qt::Key_A);
  EXPECT_TRUE(ReadAll(path("pop.bvt")).startsWith("0 "));
  EXPECT_FALSE(window->isModified());
}

TEST_F(SaveAsTest, FailedSaveKeepsNameCaptionAndModified) {
  newEditedTable();
  window->model()->setData(window->model()->tableIndex(2, 2), "abcdef");  // not a genotype
  prompts.saveNames.push_back(path("bad"));
  keys(Qt::Key_A);
  EXPECT_EQ(prompts.errors().size(), 1);
  EXPECT_FALSE(QFile::exists(path("bad.bvt")));
  EXPECT_TRUE(window->isModified());
  EXPECT_EQ(window->windowTitle(), "Untitled");
  EXPECT_EQ(window->currentFileName(), "Untitled");
  EXPECT_EQ(window->document().CurrentFileName, "Untitled");
}

TEST_F(SaveAsTest, SaveOfAnOpenedTableWritesItsOwnFileUnchangedName) {
  ASSERT_TRUE(QFile::copy(TestData("two_pops.bvt"), path("pop.txt")));
  prompts.openNames.push_back(path("pop.txt"));
  keys(Qt::Key_O);
  window->model()->setData(window->model()->tableIndex(2, 2), "102102");
  EXPECT_TRUE(window->isModified());
  keys(Qt::Key_S);
  EXPECT_TRUE(ReadAll(path("pop.txt")).contains("      Ind1 102102 210210"));
  EXPECT_FALSE(QFile::exists(path("pop.bvt")));
  EXPECT_FALSE(window->isModified());
  EXPECT_EQ(prompts.fileFilters.size(), 1);  // the open dialog only
  EXPECT_EQ(window->windowTitle(), path("pop.txt"));
  // The tool button always asks for a name.
  prompts.saveNames.push_back(path("other"));
  trigger("save_b");
  EXPECT_TRUE(QFile::exists(path("other.bvt")));
  EXPECT_EQ(window->windowTitle(), path("other.bvt"));
}

// A folder that cannot be flushed after the rename: the file is written, so the window says so
// with a warning and the table counts as saved.
TEST_F(SaveAsTest, AFolderThatCannotBeFlushedIsAWarningAndTheTableIsSaved) {
  struct Case {
    const char* what;
    bool saveAs;
    const char* loci;  // what line 1 says before the name
  };
  const Case cases[] = {{"Save", false, "2 "}, {"Save As", true, "0 "}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QString written = path("saved.bvt");
    if (c.saveAs) {
      newEditedTable();
      prompts.saveNames.push_back(path("saved"));
    } else {
      written = path("pop.bvt");
      QFile::remove(written);
      ASSERT_TRUE(QFile::copy(TestData("two_pops.bvt"), written));
      prompts.openNames.push_back(written);
      keys(Qt::Key_O);
      window->setModified(true);
    }
    prompts.told.clear();
    QSignalSpy recent(window.get(), &MainWindow::recentFileCandidate);
    const DiskCalls previous = ReplaceDiskCalls({.flush = FolderFlushFails});
    keys(c.saveAs ? Qt::Key_A : Qt::Key_S);
    ReplaceDiskCalls(previous);
    EXPECT_TRUE(prompts.errors().isEmpty()) << prompts.errors().join("\n").toStdString();
    ASSERT_EQ(prompts.told.size(), 1u);
    EXPECT_EQ(prompts.told[0].icon, QMessageBox::Warning);
    EXPECT_EQ(prompts.told[0].text,
              QString::fromUtf8("Le fichier %1 est écrit, mais son dossier n'a pas pu être mis "
                                "sur le disque : %2.")
                  .arg(written, QString::fromUtf8(std::strerror(EIO))));
    EXPECT_TRUE(ReadAll(written).startsWith((c.loci + written + "\r\n").toUtf8()))
        << ReadAll(written).left(60).toStdString();
    EXPECT_TRUE(!prompts.dialogs.isEmpty() && prompts.dialogs.back() == "f_descript");
    EXPECT_EQ(window->windowTitle(), written);
    EXPECT_EQ(window->currentFileName(), written);
    EXPECT_FALSE(window->isModified());
    ASSERT_EQ(recent.count(), 1);
    EXPECT_EQ(recent.takeFirst().at(0).toString(), written);
  }
}

// What is typed is what is written: a typing the file cannot carry stops Save, Save As and
// Diagnostic with the cell named, before any file is touched.
TEST_F(SaveAsTest, ATypedGenotypeThatCannotBeWrittenStopsEverySaveBeforeTheFile) {
  ASSERT_TRUE(QFile::copy(TestData("two_pops.bvt"), path("pop.bvt")));
  const QByteArray before = ReadAll(path("pop.bvt"));
  prompts.openNames.push_back(path("pop.bvt"));
  keys(Qt::Key_O);
  for (const char* typed : {"12345", "1234567", "101 1050"}) {
    SCOPED_TRACE(typed);
    typeIntoCell(2, 3, typed);  // Ind2 at L1
    ASSERT_EQ(cell(2, 3), typed);
    prompts.told.clear();
    prompts.dialogs.clear();
    keys(Qt::Key_S);
    prompts.saveNames.push_back(path("other"));
    keys(Qt::Key_A);
    trigger("Diagnostique1");
    const QString says =
        QString::fromUtf8("« %1 » n'est pas un génotype valide (locus 1, individu 2).").arg(typed);
    EXPECT_EQ(prompts.errors(), QStringList({says, says, says}));
    EXPECT_EQ(ReadAll(path("pop.bvt")), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"pop.bvt"}));
    EXPECT_TRUE(prompts.dialogs.isEmpty());  // no description window
    EXPECT_TRUE(window->isModified());
    EXPECT_EQ(window->windowTitle(), path("pop.bvt"));
  }
}

// Blanks typed around a genotype are read away: the genotype is saved, not dropped.
TEST_F(SaveAsTest, BlanksTypedAroundAGenotypeAreReadAway) {
  ASSERT_TRUE(QFile::copy(TestData("two_pops.bvt"), path("pop.bvt")));
  prompts.openNames.push_back(path("pop.bvt"));
  keys(Qt::Key_O);
  typeIntoCell(2, 3, "105105 ");
  ASSERT_EQ(cell(2, 3), "105105 ");
  keys(Qt::Key_S);
  EXPECT_TRUE(prompts.errors().isEmpty()) << prompts.errors().join("\n").toStdString();
  EXPECT_TRUE(ReadAll(path("pop.bvt")).contains("\r\n      Ind2 105105 210210\r\n"))
      << ReadAll(path("pop.bvt")).toStdString();
  EXPECT_FALSE(window->isModified());
}

// The save question asked by New and by closing, with each answer.
struct QuestionCase {
  const char* label;
  QMessageBox::StandardButton answer;
  bool saveDialogAnswered;
  bool goesOn;
  bool saved;
};

const QuestionCase kQuestionCases[] = {
    {"Cancel", QMessageBox::Cancel, false, false, false},
    {"No", QMessageBox::No, false, true, false},
    {"Yes then save", QMessageBox::Yes, true, true, true},
    {"Yes then cancelled save", QMessageBox::Yes, false, false, false},
};

TEST_F(SaveQuestionTest, NewAsksAndFollowsTheAnswer) {
  for (const QuestionCase& c : kQuestionCases) {
    SCOPED_TRACE(c.label);
    QFile::remove(path("asked.bvt"));
    window->setModified(false);
    openFixture();
    window->model()->setData(window->model()->tableIndex(1, 2), "Changed");
    prompts.asked.clear();
    prompts.dialogs.clear();
    prompts.answers.push_back(c.answer);
    if (c.saveDialogAnswered) prompts.saveNames.push_back(path("asked"));
    keys(Qt::Key_N);
    EXPECT_EQ(prompts.asked,
              QStringList({QString::fromUtf8("Fichier %1 a été modifié. Sauvegarder ?")
                               .arg(TestData("two_pops.bvt"))}));
    EXPECT_EQ(QFile::exists(path("asked.bvt")), c.saved);
    EXPECT_EQ(prompts.dialogs.contains("dimension"), c.goesOn);
    EXPECT_EQ(window->windowTitle(), c.goesOn ? QString("Untitled") : TestData("two_pops.bvt"));
    EXPECT_EQ(window->isModified(), !c.goesOn);
    if (!c.goesOn) {
      EXPECT_EQ(cell(1, 2), "Changed");
    }
    prompts.saveNames.clear();
  }
}

TEST_F(SaveQuestionTest, ClosingAsksAndFollowsTheAnswer) {
  for (const QuestionCase& c : kQuestionCases) {
    SCOPED_TRACE(c.label);
    QFile::remove(path("closed.bvt"));
    // Shown again after a case that closed it, and active, or Ctrl+O would not reach it.
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QApplication::setActiveWindow(window.get());
    window->setModified(false);
    openFixture();
    ASSERT_TRUE(prompts.openNames.empty());
    window->model()->setData(window->model()->tableIndex(1, 2), "Changed");
    QSignalSpy recent(window.get(), &MainWindow::recentFileCandidate);
    prompts.asked.clear();
    prompts.answers.push_back(c.answer);
    if (c.saveDialogAnswered) prompts.saveNames.push_back(path("closed"));
    EXPECT_EQ(window->close(), c.goesOn);
    EXPECT_EQ(prompts.asked.size(), 1);
    EXPECT_EQ(window->isVisible(), !c.goesOn);
    EXPECT_EQ(QFile::exists(path("closed.bvt")), c.saved);
    // The file left when closing goes to the recent-files list.
    if (c.goesOn) {
      ASSERT_FALSE(recent.isEmpty());
      EXPECT_EQ(recent.last().at(0).toString(),
                c.saved ? path("closed.bvt") : TestData("two_pops.bvt"));
    }
    prompts.saveNames.clear();
  }
}

TEST_F(SaveQuestionTest, UnmodifiedTableClosesWithoutAQuestion) {
  openFixture();
  EXPECT_TRUE(window->close());
  EXPECT_TRUE(prompts.asked.isEmpty());
}

TEST_F(DiagnosticTest, WritesTempTmpAndKeepsModified) {
  openFixture();
  for (bool modified : {true, false}) {
    SCOPED_TRACE(modified);
    QFile::remove("temp.tmp");
    window->setModified(modified);
    prompts.dialogs.clear();
    trigger("Diagnostique1");
    EXPECT_TRUE(QFile::exists(path("temp.tmp")));
    EXPECT_TRUE(ReadAll(path("temp.tmp")).startsWith("2 " + TestData("two_pops.bvt").toUtf8()));
    EXPECT_EQ(window->isModified(), modified);
    EXPECT_EQ(prompts.dialogs, QStringList({"f_descript"}));
    EXPECT_EQ(window->windowTitle(), TestData("two_pops.bvt"));
  }
}

// Save puts the file on disk before the window says it is saved; Diagnostic's analysis file is
// a scratch file and is not flushed.
TEST_F(DiagnosticTest, SaveFlushesTheFileToDiskDiagnosticDoesNot) {
  ASSERT_TRUE(QFile::copy(TestData("two_pops.bvt"), path("pop.bvt")));
  prompts.openNames.push_back(path("pop.bvt"));
  keys(Qt::Key_O);
  window->setModified(true);
  {
    FlushCounter flushes;
    trigger("Diagnostique1");
    EXPECT_TRUE(QFile::exists(path("temp.tmp")));
    EXPECT_TRUE(flushes.calls().empty());
  }
  FlushCounter flushes;
  int flushedAtTheWindow = -1;
  prompts.onDialog["f_descript"] = [&](QDialog& d) {
    flushedAtTheWindow = static_cast<int>(flushes.calls().size());
    return d.result();
  };
  keys(Qt::Key_S);
  EXPECT_EQ(flushedAtTheWindow, 2);
  EXPECT_EQ(flushes.files(), 1);
  EXPECT_EQ(flushes.folders(), 1);
  EXPECT_FALSE(window->isModified());
}

}  // namespace
}  // namespace relakin::test
