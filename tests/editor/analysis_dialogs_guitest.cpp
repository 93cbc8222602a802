// The "&Calc." menu's dialogs driven from the menu: controls and defaults of each mode, the
// proposed result name, the checks of OK with their messages, and the three runs, whose result
// files must be those of the runs called straight on the same table.
#include <QMenu>
#include <QMessageBox>
#include <filesystem>
#include <functional>

#include "analysis_dialogs_fixture.h"
#include "core/flush_counter.h"
#include "modal_windows.h"

namespace relakin::test {
namespace {

using AnalysisDialogsControls = AnalysisDialogsTest;
using AnalysisDialogsNames = AnalysisDialogsTest;
using AnalysisDialogsRuns = AnalysisDialogsTest;

QStringList Items(const RadioGroup* g) {
  QStringList texts;
  for (int i = 0; i < g->count(); ++i) texts << g->button(i)->text();
  return texts;
}

TEST_F(AnalysisDialogsControls, EachModeShowsItsControlsAndKeepsTheOptionsBetweenShowings) {
  permutation([](Tficres& d) {
    EXPECT_EQ(d.windowTitle(), "Permutation test");
    EXPECT_EQ(d.size(), QSize(572, 353));
    EXPECT_EQ(d.focusWidget(), d.nomfich());
    EXPECT_EQ(d.precision()->minimum(), 1);
    EXPECT_EQ(d.precision()->maximum(), 5);
    EXPECT_EQ(d.precision()->value(), 2);
    EXPECT_EQ(d.nbperm()->minimum(), 0);
    EXPECT_EQ(d.nbperm()->maximum(), 1000);
    EXPECT_EQ(d.nbperm()->singleStep(), 5);
    EXPECT_EQ(d.nbperm()->value(), 0);
    EXPECT_EQ(d.Label3()->text(), "Number of permutations :");
    EXPECT_TRUE(d.detail()->isChecked());
    EXPECT_EQ(d.type_perm()->title(), "Type of Permutation :");
    EXPECT_EQ(Items(d.type_perm()), QStringList({"Genotypes", "Alleles"}));
    EXPECT_EQ(d.Indice()->title(), "Estimator :");
    EXPECT_EQ(Items(d.Indice()),
              QStringList({"Identity", "rxy Queller && Goodnight", "rxy Lynch && Ritland"}));
    EXPECT_EQ(d.type_sortie()->title(), "Perform test on ");
    EXPECT_EQ(Items(d.type_sortie()), QStringList({"Means", "Variances"}));
    EXPECT_EQ(d.choix_trait()->title(), "Set of data to use :");
    EXPECT_EQ(Items(d.choix_trait()),
              QStringList({"All pops and loci", "Subset of pops and loci"}));
    for (RadioGroup* g : {d.type_perm(), d.Indice(), d.type_sortie(), d.choix_trait()})
      EXPECT_EQ(g->itemIndex(), 0) << g->objectName().toStdString();
    for (QWidget* w :
         std::initializer_list<QWidget*>{d.nbperm(), d.Label3(), d.type_perm(), d.Indice(),
                                         d.type_sortie(), d.choix_trait(), d.precision()})
      EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString();
    EXPECT_FALSE(d.detail()->isVisible());
    EXPECT_EQ(d.OKBtn()->text(), "OK");
    EXPECT_EQ(d.CancelBtn()->text(), "Cancel");
    d.nbperm()->setValue(35);
    pick(d.type_perm(), 1);
    pick(d.Indice(), 2);
    QTest::mouseClick(d.CancelBtn(), Qt::LeftButton);
    EXPECT_FALSE(d.isVisible());
  });
  relatedness([](Tficres& d) {
    EXPECT_EQ(d.windowTitle(), "Relatedness");
    for (QWidget* w : std::initializer_list<QWidget*>{d.nbperm(), d.Label3(), d.type_perm(),
                                                      d.type_sortie(), d.detail()})
      EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    EXPECT_TRUE(d.Indice()->isVisible());
    EXPECT_EQ(d.Indice()->itemIndex(), 2);
    EXPECT_EQ(d.nbperm()->value(), 35);
    EXPECT_EQ(d.type_perm()->itemIndex(), 1);
    QTest::keyClick(&d, Qt::Key_Escape);  // Escape presses Cancel
    EXPECT_FALSE(d.isVisible());
  });
  confidence([](Tboots_jack& d) {
    EXPECT_EQ(d.windowTitle(), "Confidence Interval");
    EXPECT_EQ(d.size(), QSize(572, 353));
    EXPECT_EQ(d.boo_or_jack()->title(), "Calc. C.I using");
    EXPECT_EQ(Items(d.boo_or_jack()), QStringList({"Bootstrap", "Jackknife"}));
    for (QWidget* w : std::initializer_list<QWidget*>{d.detail(), d.Indice(), d.boo_or_jack(),
                                                      d.choix_trait(), d.precision()})
      EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString();
    EXPECT_EQ(d.Indice()->itemIndex(), 0);  // its own options, not the other dialog's
    EXPECT_EQ(d.boo_or_jack()->itemIndex(), 0);
    EXPECT_TRUE(d.detail()->isChecked());
    EXPECT_EQ(d.precision()->value(), 2);
    QTest::mouseClick(d.CancelBtn(), Qt::LeftButton);
  });
  EXPECT_EQ(prompts.dialogs, QStringList({"ficres", "ficres", "boots_jack"}));
  EXPECT_TRUE(prompts.told.empty());
  EXPECT_FALSE(QFile::exists(path("temp.tmp")));
}

// A number typed past a field's maximum is taken whole and brought into range when the field is
// left, as in the dimensions dialog; it is not cut to its first digits.
TEST_F(AnalysisDialogsControls, TypedNumbersComeIntoRangeOnLeavingTheField) {
  const struct {
    const char* command;
    const char* field;
    const char* typed;
    int value;
  } cases[] = {
      {"Permutationsuridentit1", "nbperm", "1200", 1000},
      {"Permutationsuridentit1", "nbperm", "9999", 1000},
      {"Permutationsuridentit1", "nbperm", "123456789012", 1000},
      {"Permutationsuridentit1", "nbperm", "35", 35},
      {"Permutationsuridentit1", "nbperm", "", 0},
      {"Permutationsuridentit1", "precision", "7", 5},
      {"Permutationsuridentit1", "precision", "0", 1},
      {"Identit1", "precision", "42", 5},
      {"IC1", "precision", "9", 5},
      {"IC1", "precision", "3", 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.command << " " << c.field << " " << c.typed);
    run<AnalysisDialog>(c.command, c.command == std::string("IC1") ? "boots_jack" : "ficres",
                        [&c](AnalysisDialog& d) {
                          auto* spin = d.findChild<QSpinBox*>(c.field);
                          QApplication::setActiveWindow(&d);
                          spin->setFocus();
                          ASSERT_EQ(QApplication::focusWidget(), spin);
                          spin->selectAll();
                          QTest::keyClick(spin, Qt::Key_Delete);
                          QTest::keyClicks(spin, c.typed);
                          EXPECT_EQ(spin->text(), c.typed);  // every key taken
                          QTest::keyClick(spin, Qt::Key_Tab);
                          ASSERT_NE(QApplication::focusWidget(), nullptr);
                          EXPECT_NE(QApplication::focusWidget(), spin);
                          EXPECT_EQ(spin->value(), c.value);
                          QTest::mouseClick(d.CancelBtn(), Qt::LeftButton);
                        });
  }
  EXPECT_TRUE(prompts.told.empty());
}

TEST_F(AnalysisDialogsNames, ProposedResultNameComesFromTheTablesFileName) {
  const struct {
    const char* table;
    const char* proposed;
  } cases[] = {
      {"Untitled", "Untitled.res"},    {"C:\\data\\pop.bvt", "pop.res"},
      {"pop.old.bvt", "pop.oldres"},   {"", ".res"},
      {"a.b.bvt", "a.bres"},           {"pop", "pop.res"},
      {"/home/me/pop.bvt", "pop.res"}, {"/home/me.d/pop", "pop.res"},
  };
  for (const auto& c : cases) {
    window->setCurrentFileName(c.table);
    QString relatedness, permutation, interval;
    this->relatedness([&](Tficres& d) {
      relatedness = d.nomfich()->text();
      d.nomfich()->setText("typed over");
      QTest::mouseClick(d.CancelBtn(), Qt::LeftButton);
    });
    this->permutation([&](Tficres& d) {
      permutation = d.nomfich()->text();
      QTest::mouseClick(d.CancelBtn(), Qt::LeftButton);
    });
    confidence([&](Tboots_jack& d) {
      interval = d.nomfich()->text();
      QTest::mouseClick(d.CancelBtn(), Qt::LeftButton);
    });
    EXPECT_EQ(relatedness, c.proposed) << c.table;
    EXPECT_EQ(permutation, c.proposed) << c.table;
    EXPECT_EQ(interval, c.proposed) << c.table;
  }
}

TEST_F(AnalysisDialogsNames, EmptyNameAndRefusedOverwriteKeepTheDialogOpen) {
  QFile existing(path("five_pops.res"));
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.write("mine");
  existing.close();
  prompts.answers = {QMessageBox::No};
  relatedness([&](Tficres& d) {
    for (const QString& name : {QString(), QString("   ")}) {
      setName(d, name);
      ok(d);
      EXPECT_TRUE(d.isVisible());
      EXPECT_FALSE(d.closeAllowed());
    }
    d.close();  // the close box does nothing after a refused OK
    EXPECT_TRUE(d.isVisible());
    setName(d, "five_pops.res");
    ok(d);  // "Overwrite this file ?" answered No
    EXPECT_TRUE(d.isVisible());
    QTest::mouseClick(d.CancelBtn(), Qt::LeftButton);
    EXPECT_FALSE(d.isVisible());
  });
  EXPECT_EQ(toldTexts(), QStringList({QString::fromUtf8("Nom du fichier résultat absent !"),
                                      QString::fromUtf8("Nom du fichier résultat absent !")}));
  EXPECT_EQ(prompts.asked, QStringList({"Overwrite this file ?"}));
  EXPECT_EQ(ReadAll(path("five_pops.res")), "mine");
  EXPECT_FALSE(QFile::exists(path("temp.tmp")));
}

// temp.tmp and the table's file are refused in every dialog; a scratch file only in the dialog
// whose run writes it: ttt.ttt in "Relatedness", the vector files in "Permutation test".
TEST_F(AnalysisDialogsNames, NamesOfTheRunsOwnFilesAndOfTheTableAreRefused) {
  std::filesystem::create_directory(dir.filePath("sub").toStdString());
  std::filesystem::create_symlink(path("five_pops.bvt").toStdString(),
                                  path("link.bvt").toStdString());
  for (const char* scratch : {"temp.tmp", "ttt.ttt", "vector3.txt"}) {
    QFile f(path(scratch));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("scratch");
  }
  enum Dialogs { kRelatedness = 1, kPermutation = 2, kConfidence = 4, kAll = 7 };
  // Shows dialog `which` and lets `handler` work in it.
  const auto show = [this](int which, const std::function<void(AnalysisDialog&)>& handler) {
    if (which == kRelatedness) relatedness([&](Tficres& d) { handler(d); });
    if (which == kPermutation) permutation([&](Tficres& d) { handler(d); });
    if (which == kConfidence) confidence([&](Tboots_jack& d) { handler(d); });
  };
  const QString temp = QString::fromUtf8("temp.tmp : c'est le fichier de données");
  const QString ttt = QString::fromUtf8("ttt.ttt : c'est le fichier de travail");
  const QString vector = QString::fromUtf8("vector*.txt");
  const QString table = QString::fromUtf8("le fichier de la table en cours");
  const struct {
    QString name;
    QString message;
    int refusedIn;
  } cases[] = {
      {"temp.tmp", temp, kAll},
      {"./sub/../temp.tmp", temp, kAll},
      {path("temp.tmp"), temp, kAll},
      {"ttt.ttt", ttt, kRelatedness},
      {"vector0.txt", vector, kPermutation},  // not there yet: refused all the same
      {"sub/../vector3.txt", vector, kPermutation},
      {"five_pops.bvt", table, kAll},
      {path("five_pops.bvt"), table, kAll},
      {"link.bvt", table, kAll},
  };
  const QByteArray tableBytes = ReadAll(path("five_pops.bvt"));
  for (const auto& c : cases) {
    for (int which : {kRelatedness, kPermutation, kConfidence}) {
      if ((c.refusedIn & which) == 0) continue;
      SCOPED_TRACE(::testing::Message() << c.name.toStdString() << " in dialog " << which);
      prompts.told.clear();
      show(which, [&](AnalysisDialog& d) {
        setName(d, c.name);
        ok(d);
        EXPECT_TRUE(d.isVisible());
        QTest::mouseClick(d.CancelBtn(), Qt::LeftButton);
      });
      ASSERT_EQ(prompts.told.size(), 1u);
      EXPECT_TRUE(prompts.told[0].text.contains(c.message)) << prompts.told[0].text.toStdString();
      EXPECT_EQ(prompts.told[0].icon, QMessageBox::NoIcon);
    }
  }
  EXPECT_TRUE(prompts.asked.isEmpty());
  EXPECT_EQ(ReadAll(path("temp.tmp")), "scratch");
  EXPECT_EQ(ReadAll(path("ttt.ttt")), "scratch");
  EXPECT_EQ(ReadAll(path("vector3.txt")), "scratch");
  EXPECT_EQ(ReadAll(path("five_pops.bvt")), tableBytes);

  // A scratch name of another run, and names that only look like them, are taken as typed.
  const struct {
    const char* name;
    int dialogs;
  } taken[] = {
      {"ttt.ttt", kPermutation | kConfidence},
      {"vector0.txt", kRelatedness | kConfidence},
      {" temp.tmp", kRelatedness},
      {"vector.txt", kRelatedness},
      {"myvector1.txt", kRelatedness},
      {"sub/vector1.txt", kRelatedness},
  };
  for (const auto& t : taken) {
    for (int which : {kRelatedness, kPermutation, kConfidence}) {
      if ((t.dialogs & which) == 0) continue;
      SCOPED_TRACE(::testing::Message() << t.name << " in dialog " << which);
      QFile::remove(path(t.name));
      prompts.told.clear();
      show(which, [&](AnalysisDialog& d) {
        setName(d, t.name);
        ok(d);
        EXPECT_FALSE(d.isVisible());
      });
      EXPECT_EQ(toldTexts(), QStringList({"TRAITEMENT FINI !"}));
      EXPECT_TRUE(QFile::exists(path(t.name)));
    }
  }
}

TEST_F(AnalysisDialogsRuns, RelatednessWritesTheCoresResultForTheSameTable) {
  FlushCounter flushes;
  relatedness([](Tficres& d) {
    pick(d.Indice(), 1);
    d.precision()->setValue(3);
    ok(d);
    EXPECT_FALSE(d.isVisible());
    EXPECT_TRUE(d.closeAllowed());
  });
  EXPECT_EQ(toldTexts(), QStringList({"TRAITEMENT FINI !"}));
  EXPECT_FALSE(window->document().AnalysisFileReady);
  EXPECT_FALSE(progressWindowLeft());
  EXPECT_FALSE(window->isModified());
  // The result file only: "temp.tmp" and "ttt.ttt" are scratch files.
  EXPECT_EQ(flushes.files(), 1);
  EXPECT_EQ(flushes.folders(), 1);

  writeCoreAnalysisFile("core.tmp");
  EXPECT_EQ(ReadAll(path("temp.tmp")), ReadAll(path("core.tmp")));
  const QByteArray dialogs = ReadAll(path("five_pops.res"));
  CoreRun core;
  RunRelatedness("core.tmp", "core.res", 3, 0, true, 0, 1, 0, core.context);
  EXPECT_EQ(dialogs, ReadAll(path("core.res")));
  EXPECT_TRUE(dialogs.startsWith("Data File name  : "));
  EXPECT_TRUE(dialogs.contains("Rxy as in Queller & Goodnight 1989\r\n"));
}

// OK pressed by Return while a number is still being typed runs with that number brought into
// range.
TEST_F(AnalysisDialogsRuns, NumberStillBeingTypedCountsBroughtIntoRange) {
  relatedness([](Tficres& d) {
    setName(d, "typed.res");
    d.precision()->setFocus();
    d.precision()->selectAll();
    QTest::keyClicks(d.precision(), "7");
    QTest::keyClick(d.precision(), Qt::Key_Return);
    EXPECT_FALSE(d.isVisible());
  });
  EXPECT_EQ(toldTexts(), QStringList({"TRAITEMENT FINI !"}));
  writeCoreAnalysisFile("core.tmp");
  CoreRun core;
  RunRelatedness("core.tmp", "core.res", 5, 0, true, 0, 0, 0, core.context);
  EXPECT_EQ(ReadAll(path("typed.res")), ReadAll(path("core.res")));
}

TEST_F(AnalysisDialogsRuns, PermutationTestWithASeedRepeatsTheCoresRun) {
  constexpr std::uint32_t kSeed = 20240611;
  ProcessRandom().SetSeed(kSeed);
  permutation([](Tficres& d) {
    setName(d, "perm.res");
    d.nbperm()->setValue(10);
    pick(d.type_perm(), 1);
    pick(d.type_sortie(), 1);
    ok(d);
    EXPECT_FALSE(d.isVisible());
  });
  EXPECT_EQ(toldTexts(), QStringList({"TRAITEMENT FINI !"}));
  EXPECT_FALSE(progressWindowLeft());
  for (int k = 0; k <= 10; ++k) EXPECT_TRUE(QFile::exists(path(QString("vector%1.txt").arg(k))));
  const QByteArray dialogs = ReadAll(path("perm.res"));

  writeCoreAnalysisFile("core.tmp");
  CoreRun core;
  core.random.SetSeed(kSeed);
  RunPermutationTest("core.tmp", "core.res", 2, 10, true, 1, 0, 1, core.context);
  EXPECT_EQ(dialogs, ReadAll(path("core.res")));
  EXPECT_TRUE(dialogs.contains(" Variance after alleles permutation\r\n"));
  EXPECT_TRUE(dialogs.endsWith("\r\n"));  // ten statistics end their line
}

TEST_F(AnalysisDialogsRuns, ConfidenceIntervalsByJackknifeAndBootstrap) {
  confidence([](Tboots_jack& d) {
    setName(d, "jack.res");
    pick(d.boo_or_jack(), 1);
    pick(d.Indice(), 2);
    d.precision()->setValue(4);
    ok(d);
    EXPECT_FALSE(d.isVisible());
  });
  EXPECT_EQ(toldTexts().last(), "TRAITEMENT FINI !");
  writeCoreAnalysisFile("core.tmp");
  CoreRun core;
  RunConfidenceIntervals("core.tmp", "core.res", 2, 4, true, 1, core.context);
  const QByteArray jack = ReadAll(path("jack.res"));
  EXPECT_EQ(jack, ReadAll(path("core.res")));
  EXPECT_TRUE(jack.contains("95% Confidence limits after jackknife over loci :\r\n"));

  prompts.told.clear();
  confidence([](Tboots_jack& d) {
    setName(d, "boot.res");
    pick(d.boo_or_jack(), 0);
    QTest::mouseClick(d.detail(), Qt::LeftButton);  // no real-data matrix
    ok(d);
  });
  EXPECT_EQ(toldTexts().last(), "TRAITEMENT FINI !");
  EXPECT_FALSE(progressWindowLeft());
  const QList<QByteArray> lines = ReadAll(path("boot.res")).split('\n');
  ASSERT_GE(lines.size(), 5);
  EXPECT_EQ(lines[3],
            "rxy in Lynch & Ritland 1999. 95% Confidence limits after 100 bootstraps "
            "over loci :\r");
}

TEST_F(AnalysisDialogsRuns, ExistingResultIsReplacedWhenTheUserSaysYes) {
  QFile existing(path("five_pops.res"));
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.write("old");
  existing.close();
  prompts.answers = {QMessageBox::Yes};
  relatedness([](Tficres& d) { ok(d); });
  EXPECT_EQ(prompts.asked, QStringList({"Overwrite this file ?"}));
  EXPECT_TRUE(ReadAll(path("five_pops.res")).startsWith("Data File name  : "));
}

TEST_F(AnalysisDialogsRuns, FailedRunShowsTheErrorAndClosesTheDialog) {
  relatedness([](Tficres& d) {
    setName(d, "no/such/dir/out.res");
    ok(d);
    EXPECT_FALSE(d.isVisible());
  });
  ASSERT_EQ(prompts.errors().size(), 1);
  EXPECT_FALSE(toldTexts().contains("TRAITEMENT FINI !"));
  EXPECT_FALSE(progressWindowLeft());
}

TEST_F(AnalysisDialogsRuns, BadGenotypeStopsBeforeTheRun) {
  window->document().Cells.SetCell(2, 3, "1x1101");
  relatedness([](Tficres& d) { ok(d); });
  ASSERT_EQ(prompts.errors().size(), 1);
  EXPECT_FALSE(toldTexts().contains("TRAITEMENT FINI !"));
  EXPECT_FALSE(QFile::exists(path("five_pops.res")));
}

// The real dialogs and message boxes, with another top-level window open beside the main
// window, as the plotter's may be: once a run's last message is answered, the keys go to the
// main window again.
class AnalysisRunsBesideAnotherWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    previousDir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    ASSERT_TRUE(QFile::copy(DialogsData("five_pops.bvt"), dir.filePath("five_pops.bvt")));
    window = std::make_unique<MainWindow>();
    window->loadNativeFile(dir.filePath("five_pops.bvt"));
    window->show();
    other.setWindowTitle("Graphiques");
    other.resize(300, 200);
    other.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
  }
  void TearDown() override {
    window.reset();
    QDir::setCurrent(previousDir);
  }

  QTemporaryDir dir;
  QString previousDir;
  std::unique_ptr<MainWindow> window;
  QWidget other;
};

TEST_F(AnalysisRunsBesideAnotherWindow, MainWindowIsActiveAfterTheLastMessage) {
  const struct {
    const char* command;
    bool okByKey;  // Return in the dialog instead of a click on OK
  } cases[] = {
      {"Identit1", false}, {"Permutationsuridentit1", false}, {"IC1", false}, {"IC1", true}};
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QStringList told;
    const QString name = QString("run%1.res").arg(++n);
    const gui_testing::ModalAnswer answer([&](QWidget* dialog) {
      const gui_testing::ModalAnswer finished([&told](QWidget* box) {
        told << static_cast<QMessageBox*>(box)->text();
        QTest::keyClick(box, Qt::Key_Return);
      });
      auto* nomfich = dialog->findChild<QLineEdit*>("nomfich");
      nomfich->selectAll();
      QTest::keyClicks(nomfich, name);
      if (c.okByKey) {
        QTest::keyClick(nomfich, Qt::Key_Return);
      } else {
        QTest::mouseClick(dialog->findChild<QPushButton*>("OKBtn"), Qt::LeftButton);
      }
    });
    QTest::keyClick(window.get(), Qt::Key_C, Qt::AltModifier);
    QMenu* calc = window->action("Trait1")->menu();
    ASSERT_TRUE(QTest::qWaitFor([calc] { return calc->isVisible(); }, 2000));
    calc->setActiveAction(window->action(c.command));
    QTest::keyClick(calc, Qt::Key_Return);
    ASSERT_TRUE(QTest::qWaitFor([&answer] { return answer.answered(); }, 10000));
    EXPECT_EQ(told, QStringList({"TRAITEMENT FINI !"}));
    EXPECT_TRUE(QFile::exists(dir.filePath(name)));
    EXPECT_TRUE(
        QTest::qWaitFor([this] { return QApplication::activeWindow() == window.get(); }, 2000));
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->window(), window.get());
  }
}

}  // namespace
}  // namespace relakin::test
