// File > Import: the import dialog's lists, checks, messages and close flag, the text-import
// dialog with its preview, and the main window's state after an import, driven offscreen.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTableView>

#include "formats/dialogs/fictext_dialog.h"
#include "formats/dialogs/import_dialog.h"
#include "formats/dialogs/preview_model.h"
#include "main_window_fixture.h"
#include "widgets/radio_group.h"

// Readable QString values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace relakin::test {
namespace {

const char* const kTableCommands[] = {"Saveas1",       "Save1",  "save_b",  "cut_b",
                                      "paste_b",       "copy_b", "Trait1",  "Conversion1",
                                      "Diagnostique1", "Cut1",   "Insert1", "KeystoPopulations1"};

const char* const kExisting = "Vous devez spécifier un nom de fichier existant !";
const char* const kFormat = "Vous devez spécifier le format du fichier !";
const char* const kNoMod = "Fichier .mod absent !";
const char* const kDigits = "Vous devez spécifier le nombre de chiffres codant les allèles !!";
const char* const kSeparator = "Vous devez spécifier le séparateur des champs !!";

QString FormatsFile(const char* name) { return QString(RELAKIN_TEST_DATA) + "/formats/" + name; }

class ImportTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Tf_import::setImportCloseAllowed(false);  // as when the program starts
    Tf_fictext::setTextSeparator({});
  }

  void write(const QString& name, const QByteArray& bytes) {
    QFile f(path(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }

  // Runs File > Import with `drive` answering the import dialog.
  void runImport(std::function<void(Tf_import&)> drive) {
    prompts.onDialog["f_import"] = [drive](QDialog& d) {
      drive(static_cast<Tf_import&>(d));
      return d.result();
    };
    trigger("Importer1");
  }

  // Near the left edge: a radio button or check box takes clicks on its indicator and caption
  // only, not on the free width after a short caption.
  static void click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
  }
  static void choose(Tf_import& d, int format) { click(d.Nature()->button(format)); }
  static void type(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
  // The point of `item` in its list's viewport, once the list has laid its items out.
  static QPoint where(QListWidget* list, QListWidgetItem* item) {
    list->doItemsLayout();
    list->scrollToItem(item);
    return list->visualItemRect(item).center();
  }
  static void pick(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, where(list, found.front()));
  }
  static QStringList items(QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) out << list->item(i)->text().trimmed();
    return out;
  }
  QStringList toldTexts() const {
    QStringList out;
    for (const auto& t : prompts.told) out << t.text;
    return out;
  }
  void expectLoadedState(const QString& name) {
    EXPECT_TRUE(prompts.errors().isEmpty()) << prompts.errors().join("\n").toStdString();
    EXPECT_EQ(window->windowTitle(), name);
    EXPECT_EQ(window->currentFileName(), name);
    EXPECT_EQ(window->document().CurrentFileName, name.toStdString());
    EXPECT_FALSE(window->isModified());
    EXPECT_TRUE(window->grid()->isVisible());
    for (const char* command : kTableCommands)
      EXPECT_TRUE(window->action(command)->isEnabled()) << command;
  }
};

TEST_F(ImportTest, OpensOnTheCurrentDirectoryWithNothingChosen) {
  write("b.GEN", "x");
  write("a.dat", "x");
  write("noext", "x");
  QDir(dir.path()).mkdir("sub");
  runImport([&](Tf_import& d) {
    EXPECT_EQ(d.windowTitle(), "Importer un fichier");
    EXPECT_EQ(d.nomfich()->text(), "*.*");
    EXPECT_EQ(d.Nature()->itemIndex(), -1);
    EXPECT_EQ(d.Nature()->title(), "Format du fichier");
    EXPECT_EQ(d.Label1()->text(), QDir::toNativeSeparators(dir.path()));
    EXPECT_EQ(items(d.FileListBox1()), QStringList({"a.dat", "b.GEN", "noext"}));
    EXPECT_EQ(items(d.DirectoryListBox1()).back(), "sub");
    EXPECT_EQ(d.FilterComboBox1()->count(), 4);
    EXPECT_EQ(d.FilterComboBox1()->itemText(3), "Fichiers FSTAT(*.DAT)");
    QStringList drives;
    for (int i = 0; i < d.DriveComboBox1()->count(); ++i)
      drives << d.DriveComboBox1()->itemData(i).toString();
    EXPECT_TRUE(drives.contains("/"));
    EXPECT_TRUE(drives.contains(QDir::homePath()));
    EXPECT_EQ(d.focusWidget(), d.OKBtn());
    click(d.CancelBtn());
  });
  EXPECT_EQ(prompts.dialogs, QStringList({"f_import"}));
  EXPECT_FALSE(window->grid()->isVisible());
}

TEST_F(ImportTest, FilterMasksIgnoreCaseAndTheListWritesTheNameBox) {
  write("CATS.DAT", "x");
  write("b.dat", "x");
  write("c.txt", "x");
  runImport([&](Tf_import& d) {
    d.setFilter(3);
    EXPECT_EQ(items(d.FileListBox1()), QStringList({"b.dat", "CATS.DAT"}));
    EXPECT_EQ(d.nomfich()->text(), "*.dat");
    pick(d.FileListBox1(), "CATS.DAT");
    EXPECT_EQ(d.nomfich()->text(), "CATS.DAT");
    d.setFilter(2);
    EXPECT_EQ(items(d.FileListBox1()), QStringList({"c.txt"}));
    EXPECT_EQ(d.nomfich()->text(), "*.txt");
    click(d.CancelBtn());
  });
  struct Case {
    const char* name;
    const char* mask;
    bool matches;
  };
  const Case cases[] = {{"noext", "*.*", true},       {"a.b.c", "*.*", true},
                        {"X.DON", "*.don", true},     {"x.done", "*.don", false},
                        {"r.LD", "*.LD;*.OHT", true}, {"r.oht", "*.LD;*.OHT", true}};
  for (const Case& c : cases) EXPECT_EQ(MatchesMask(c.name, c.mask), c.matches) << c.name;
}

TEST_F(ImportTest, ChoosingADirectoryMakesItCurrent) {
  QDir(dir.path()).mkdir("data");
  write("data/pop.dat", "x");
  runImport([&](Tf_import& d) {
    QListWidget* dirs = d.DirectoryListBox1();
    const QList<QListWidgetItem*> sub = dirs->findItems("data", Qt::MatchEndsWith);
    ASSERT_EQ(sub.size(), 1);
    // A double click: QTest's mouseDClick sends only its second press.
    QTest::mouseClick(dirs->viewport(), Qt::LeftButton, {}, where(dirs, sub[0]));
    QTest::mouseDClick(dirs->viewport(), Qt::LeftButton, {}, where(dirs, sub[0]));
    EXPECT_EQ(QDir::currentPath(), path("data"));
    EXPECT_EQ(d.Label1()->text(), QDir::toNativeSeparators(path("data")));
    EXPECT_EQ(items(d.FileListBox1()), QStringList({"pop.dat"}));
    EXPECT_EQ(d.nomfich()->text(), "*.*");

    // Enter opens the current directory and is not an OK as well.
    dirs->setFocus();
    dirs->setCurrentRow(dirs->currentRow() - 1);  // the parent
    QTest::keyClick(dirs, Qt::Key_Return);
    EXPECT_EQ(QDir::currentPath(), dir.path());
    EXPECT_TRUE(d.isVisible());
    EXPECT_TRUE(toldTexts().isEmpty()) << toldTexts().join('\n').toStdString();

    // The drive list moves the directory list to the chosen root.
    QComboBox* drives = d.DriveComboBox1();
    const int home = drives->findData(QDir::homePath());
    ASSERT_GE(home, 0);
    emit drives->activated(home);  // what the user's choice emits
    EXPECT_EQ(QDir::currentPath(), QDir::homePath());
    EXPECT_EQ(d.Label1()->text(), QDir::toNativeSeparators(QDir::homePath()));
    EXPECT_EQ(drives->currentIndex(), home);
    click(d.CancelBtn());
  });
}

TEST_F(ImportTest, GenepopPickedInTheListLoadsUnderItsBareName) {
  ASSERT_TRUE(QFile::copy(FormatsFile("c2line.gen"), path("c2line.gen")));
  newEditedTable();
  prompts.answers.push_back(QMessageBox::No);  // the save question: drop the edit
  runImport([&](Tf_import& d) {
    pick(d.FileListBox1(), "c2line.gen");
    choose(d, 2);
    click(d.OKBtn());
  });
  EXPECT_EQ(prompts.asked.size(), 1);
  expectLoadedState("c2line.gen");
  EXPECT_TRUE(Tf_import::ImportCloseAllowed());
  const Document& doc = window->document();
  EXPECT_EQ(doc.Cells.RowCount(), 14);
  EXPECT_EQ(doc.NbPops, 3);
  EXPECT_EQ(cell(1, 6), "b1");
  EXPECT_EQ(window->model()->headerData(0, Qt::Vertical).toString(), "");
  EXPECT_EQ(window->model()->headerData(1, Qt::Vertical).toString(), "Pop Ind1");

  // Save does not write the native layout over the foreign file: it asks for a name.
  const QByteArray foreign = ReadAll(path("c2line.gen"));
  prompts.saveNames.push_back(path("c2line"));
  keys(Qt::Key_S);
  EXPECT_EQ(ReadAll(path("c2line.gen")), foreign);
  EXPECT_TRUE(ReadAll(path("c2line.bvt")).startsWith("3 "));
  EXPECT_EQ(window->windowTitle(), path("c2line.bvt"));
}

TEST_F(ImportTest, TypedPathsLoadEachFormat) {
  write("pop.don", "2 1\r\n\r\n\r\n\r\nA001 101102\r\nB002 0\r\n");
  write("pop.mod", "  L01  \r\n");
  ASSERT_TRUE(QFile::copy(FormatsFile("nancycats.dat"), path("cats.dat")));
  struct Case {
    const char* file;
    int format;
    int rows;
    int pops;
  };
  const Case cases[] = {{"pop.don", 0, 4, 2}, {"cats.dat", 1, 239, 17}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    runImport([&](Tf_import& d) {
      type(d.nomfich(), path(c.file));
      choose(d, c.format);
      click(d.OKBtn());
    });
    expectLoadedState(path(c.file));
    EXPECT_EQ(window->document().Cells.RowCount(), c.rows);
    EXPECT_EQ(window->document().NbPops, c.pops);
  }
}

// Capitals as an older system names files, and UTF-8 as today's tools write it.
TEST_F(ImportTest, CapitalOlderPairAndUtf8FilesLoadAsTheyMean) {
  write("POP.DON", "1 1\r\n\r\n\r\n\r\nA001 101102\r\n");
  write("POP.MOD", "  L01  \r\n");
  runImport([&](Tf_import& d) {
    type(d.nomfich(), path("POP.DON"));
    choose(d, 0);
    click(d.OKBtn());
  });
  expectLoadedState(path("POP.DON"));
  EXPECT_EQ(cell(2, 1), "L01");
  EXPECT_TRUE(prompts.told.empty());

  write("utf8.dat",
        "\xEF\xBB\xBF"
        "1 1 9 2\r\n\xCE\xA9 B\xC3\xA9lier\r\n1 0102\r\n");
  runImport([&](Tf_import& d) {
    type(d.nomfich(), path("utf8.dat"));
    choose(d, 1);
    click(d.OKBtn());
  });
  expectLoadedState(path("utf8.dat"));
  EXPECT_EQ(cell(2, 1), "? B\xE9lier");
  ASSERT_EQ(prompts.told.size(), 1u);
  EXPECT_EQ(prompts.told[0].icon, QMessageBox::Warning);
  EXPECT_EQ(
      prompts.told[0].text,
      path("utf8.dat") +
          QString::fromUtf8(" : 1 caractère que la table ne peut pas contenir est devenu « ? »."));
}

TEST_F(ImportTest, ChecksComeInOrderAndKeepTheDialogOpen) {
  write("data.don", "1 1\n\n\n\nA001 1001\n");
  write("ab", "x");
  runImport([&](Tf_import& d) {
    const auto ok = [&](const QString& name, int format) {
      type(d.nomfich(), name);
      if (format >= 0) choose(d, format);
      click(d.OKBtn());
      EXPECT_TRUE(d.isVisible()) << name.toStdString();
      EXPECT_FALSE(Tf_import::ImportCloseAllowed());
      EXPECT_FALSE(d.close());  // the close box does nothing now
    };
    ok("*.*", -1);
    ok("  ", -1);
    ok("missing.gen", 2);
    ok(dir.path(), 2);  // a folder is no file
    d.Nature()->setItemIndex(-1);
    ok("data.don", -1);
    ok("data.don", 0);
    ok("ab", 0);  // too short a name to have a locus file
    QTest::keyClick(&d, Qt::Key_Escape);
    EXPECT_FALSE(d.isVisible());
    EXPECT_TRUE(Tf_import::ImportCloseAllowed());
  });
  const QString existing = QString::fromUtf8(kExisting);
  EXPECT_EQ(toldTexts(), QStringList({existing, existing, existing, existing,
                                      QString::fromUtf8(kFormat), kNoMod, kNoMod}));
  EXPECT_EQ(prompts.told.front().icon, QMessageBox::NoIcon);
  EXPECT_FALSE(window->grid()->isVisible());
  EXPECT_EQ(window->windowTitle(), MainWindow::kDesignCaption);
}

TEST_F(ImportTest, CloseBoxFollowsTheProcessWideFlag) {
  runImport([&](Tf_import& d) {
    EXPECT_FALSE(d.close());  // the first dialog of a run, before Cancel or a completed OK
    EXPECT_TRUE(d.isVisible());
    click(d.CancelBtn());
    EXPECT_FALSE(d.isVisible());
  });
  runImport([&](Tf_import& d) {
    EXPECT_TRUE(d.close());  // Cancel raised the flag
    EXPECT_FALSE(d.isVisible());
  });
  EXPECT_EQ(prompts.dialogs.size(), 2);
}

TEST_F(ImportTest, AFailedReadKeepsTheTableNameCaptionAndModified) {
  write("bad.dat", "1 2 9 2\nL1\nL2\n1 0101\n");  // a line short of its genotypes
  openFixture();
  window->model()->setData(window->model()->tableIndex(2, 2), "102102");
  const GenotypeTable before = window->document().Cells;
  prompts.answers.assign(2, QMessageBox::No);
  for (bool flag : {false, true}) {
    SCOPED_TRACE(flag);
    Tf_import::setImportCloseAllowed(flag);
    prompts.told.clear();
    bool visibleAfterOk = false;
    runImport([&](Tf_import& d) {
      type(d.nomfich(), "bad.dat");
      choose(d, 1);
      click(d.OKBtn());
      visibleAfterOk = d.isVisible();
      if (visibleAfterOk) click(d.CancelBtn());
    });
    ASSERT_EQ(prompts.errors().size(), 1);
    EXPECT_TRUE(prompts.errors()[0].contains("bad.dat, ligne 4"))
        << prompts.errors()[0].toStdString();
    EXPECT_EQ(visibleAfterOk, !flag);  // the dialog closes only while the flag is up
    EXPECT_EQ(window->document().Cells, before);
    EXPECT_EQ(window->windowTitle(), TestData("two_pops.bvt"));
    EXPECT_EQ(window->currentFileName(), TestData("two_pops.bvt"));
    EXPECT_TRUE(window->isModified());
  }
}

// GENEPOP files once imported wrong and reported as success: the window says why and keeps its
// table.
TEST_F(ImportTest, AGenepopFileReadWrongIsRefusedAndTheTableKept) {
  write("short.gen", "T\r\nL1\r\nL2\r\nPop\r\nA1 , 0101\r\n2 , 0202 0303\r\n");
  write("nopop.gen", "T\r\nL1\r\nL2\r\n");
  openFixture();
  const GenotypeTable before = window->document().Cells;
  struct Case {
    const char* file;
    const char* says;
  };
  const Case cases[] = {{"short.gen", "short.gen, ligne 5 : l'individu 1 « A1 »"},
                        {"nopop.gen", "nopop.gen : aucune ligne POP"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    prompts.told.clear();
    Tf_import::setImportCloseAllowed(false);  // Cancel raised it
    runImport([&](Tf_import& d) {
      type(d.nomfich(), c.file);
      choose(d, 2);
      click(d.OKBtn());
      EXPECT_TRUE(d.isVisible());
      click(d.CancelBtn());
    });
    ASSERT_EQ(prompts.errors().size(), 1);
    EXPECT_TRUE(prompts.errors()[0].contains(QString::fromUtf8(c.says)))
        << prompts.errors()[0].toStdString();
    EXPECT_EQ(window->document().Cells, before);
    EXPECT_EQ(window->windowTitle(), TestData("two_pops.bvt"));
  }
}

// A table whose locus is named by a lone TAB goes out through Tools > Conversion and comes back
// through File > Import with its loci and genotypes; GENEPOP, which would skip a TAB line, gets
// the default name and says so.
TEST_F(ImportTest, ATableExportedByConversionImportsBack) {
  write("tab.dat", "2 2 9 2\r\n\t\r\nL2\r\n1 0101 0202\r\n2 0303 0404\r\n");
  const struct {
    const char* action;
    const char* file;
    int format;
    const char* name1;
  } cases[] = {{"Genpop1", "back.gen", 2, "Locus 1"}, {"Fstat1", "back.dat", 1, "\t"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    Tf_import::setImportCloseAllowed(true);
    runImport([&](Tf_import& d) {
      type(d.nomfich(), "tab.dat");
      choose(d, 1);
      click(d.OKBtn());
    });
    expectLoadedState("tab.dat");
    ASSERT_EQ(window->document().Cells.ColCount(), 4);
    prompts.told.clear();
    prompts.saveNames.push_back(path(c.file));
    trigger(c.action);
    QStringList said = {path(c.file) + QString::fromUtf8(" est crée !")};
    if (c.format == 2) said.prepend(QString::fromUtf8("Nom du 1 ° Locus manquant !"));
    EXPECT_EQ(toldTexts(), said);
    runImport([&](Tf_import& d) {
      type(d.nomfich(), c.file);
      choose(d, c.format);
      click(d.OKBtn());
    });
    expectLoadedState(c.file);
    ASSERT_EQ(window->document().Cells.RowCount(), 4);
    ASSERT_EQ(window->document().Cells.ColCount(), 4);
    EXPECT_EQ(cell(2, 1), c.name1);
    EXPECT_EQ(cell(3, 1), "L2");
    EXPECT_EQ(window->document().NbPops, 2);
    EXPECT_EQ(cell(2, 2), "001001");
    EXPECT_EQ(cell(3, 3), "002002");
  }
}

// Files once read a line off (and an individual lost) are refused naming the line; zeros wider
// than the format read as missing genotypes; locus names the data file has no locus for are said.
TEST_F(ImportTest, FilesReadOffByALineAreRefusedAndWideZerosRead) {
  struct Case {
    const char* file;
    const char* bytes;
    int format;
    const char* mod;    // the older pair's locus file
    const char* said;   // after "<file>, ligne " (an error) or "<file> : " (a warning)
    const char* cells;  // the first individual's genotypes; nullptr: refused
  };
  const Case cases[] = {
      {"header.dat", "3 2 15\r\n12\r\n13\r\n1 0101 0202\r\n1 0303 0404\r\n", 1, nullptr,
       "1 : l'en-tête n'a que 3 nombres sur sa ligne, 4 attendus", nullptr},
      {"names.dat", "1 3 9 2\r\nL1 L2 L3\r\n1 0101 0202 0303\r\n1 0101 0202 0303\r\n", 1, nullptr,
       "3 : « 1 0101 0202 0303 » a la forme d'une ligne d'individu", nullptr},
      {"zeros.dat", "1 2 9 2\r\nL1\r\nL2\r\n1 000000 0102\r\n", 1, nullptr, nullptr,
       "000000|001002"},
      {"zeros.don", "1 2\r\n\r\n\r\n\r\nA001 0000000 101102\r\n", 0, "  L01\r\n  L02\r\n", nullptr,
       "000000|101102"},
      {"extra.don", "1 2\r\n\r\n\r\n\r\nA001 1001 2002\r\n", 0, "\r\n  L01\r\n  L02\r\n",
       "1 nom de locus de trop (ligne 3) : le fichier de données (ligne 1) annonce 2 locus, ce nom "
       "n'est pas importé.",
       "001001|002002"},
  };
  openFixture();
  const GenotypeTable before = window->document().Cells;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    write(c.file, c.bytes);
    QString mod = c.file;
    mod.replace(".don", ".mod");
    if (c.mod) write(mod, c.mod);
    prompts.told.clear();
    Tf_import::setImportCloseAllowed(false);
    runImport([&](Tf_import& d) {
      type(d.nomfich(), c.file);
      choose(d, c.format);
      click(d.OKBtn());
      if (d.isVisible()) click(d.CancelBtn());
    });
    if (!c.cells) {
      ASSERT_EQ(prompts.errors().size(), 1);
      EXPECT_TRUE(
          prompts.errors()[0].startsWith(QString(c.file) + ", ligne " + QString::fromUtf8(c.said)))
          << prompts.errors()[0].toStdString();
      EXPECT_EQ(window->document().Cells, before);
      EXPECT_EQ(window->windowTitle(), TestData("two_pops.bvt"));
      continue;
    }
    expectLoadedState(c.file);
    const GenotypeTable& t = window->document().Cells;
    EXPECT_EQ(QString::fromStdString(t.Cells(2, 2) + "|" + t.Cells(3, 2)), c.cells);
    EXPECT_EQ(toldTexts(),
              c.said ? QStringList({mod + QString::fromUtf8(" : ") + QString::fromUtf8(c.said)})
                     : QStringList());
    openFixture();
  }
}

// The text format's own dialog reads the file for its preview: a UTF-16 file is refused there,
// before that dialog shows, with the file named as every other format names it.
TEST_F(ImportTest, AUtf16FileIsRefusedNamingItInEveryTextFormat) {
  write("u16.txt", QByteArray("\xFF\xFEL\0001\0", 6));
  openFixture();
  const GenotypeTable before = window->document().Cells;
  const QString says = QString::fromUtf8(
      "u16.txt : ce fichier est en UTF-16 : enregistrez-le en UTF-8 ou en texte simple.");
  for (int format : {1, 2, 3}) {
    SCOPED_TRACE(format);
    prompts.told.clear();
    prompts.dialogs.clear();
    Tf_import::setImportCloseAllowed(false);
    runImport([&](Tf_import& d) {
      type(d.nomfich(), "u16.txt");
      choose(d, format);
      d.OKBtn()->click();
      EXPECT_TRUE(d.isVisible());
      click(d.CancelBtn());
    });
    EXPECT_EQ(prompts.errors(), QStringList({says}));
    EXPECT_EQ(prompts.dialogs, QStringList({"f_import"}));
    EXPECT_EQ(window->document().Cells, before);
    EXPECT_EQ(window->windowTitle(), TestData("two_pops.bvt"));
  }
}

TEST_F(ImportTest, CancelledSaveQuestionShowsNoDialog) {
  newEditedTable();
  prompts.answers.push_back(QMessageBox::Cancel);
  runImport([](Tf_import&) { ADD_FAILURE() << "the dialog was shown"; });
  EXPECT_EQ(prompts.asked.size(), 1);
  EXPECT_EQ(prompts.dialogs, QStringList({"dimension"}));
  EXPECT_EQ(window->windowTitle(), "Untitled");
}

// The text format: the import dialog hands over to the text dialog.
class TextImportTest : public ImportTest {
 protected:
  void importText(const QString& file, std::function<void(Tf_fictext&)> drive) {
    prompts.onDialog["f_fictext"] = [drive](QDialog& d) {
      drive(static_cast<Tf_fictext&>(d));
      return d.result();
    };
    runImport([&](Tf_import& d) {
      type(d.nomfich(), file);
      choose(d, 3);
      // Not a mouse click: the text dialog runs inside the OK handler, and clicks in it would go
      // to the window that still holds the mouse grab of the press on OK.
      d.OKBtn()->click();
      EXPECT_FALSE(d.isVisible());
    });
  }
  static QStringList previewRow(Tf_fictext& t, int row) {
    QStringList out;
    for (const std::string& cell : t.preview()->rows().at(static_cast<std::size_t>(row)))
      out << QString::fromStdString(cell);
    return out;
  }
};

TEST_F(TextImportTest, PreviewFollowsTheChoicesAndOkReadsTheFile) {
  write("pop.txt", "L1;L2\r\n\r\nP1;i1;0101;0203\r\nP2;i2;0303;0404\r\n");
  importText("pop.txt", [&](Tf_fictext& t) {
    EXPECT_EQ(t.windowTitle(), "Import: format texte");
    EXPECT_EQ(t.separateur()->itemIndex(), -1);
    EXPECT_EQ(t.nbchiffre()->itemIndex(), -1);
    EXPECT_TRUE(t.liglocus()->isChecked() && t.identpop()->isChecked() &&
                t.identcol()->isChecked());
    EXPECT_EQ(previewRow(t, 0), QStringList({"L1;L2"}));  // the raw lines
    EXPECT_EQ(previewRow(t, 1), QStringList({""}));
    EXPECT_EQ(t.preview()->columnCount(), 1);

    click(t.separateur()->button(2));  // ";"
    EXPECT_EQ(Tf_fictext::TextSeparator(), ";");
    EXPECT_EQ(previewRow(t, 0), QStringList({"", "", "L1", "L2"}));
    EXPECT_EQ(previewRow(t, 1), QStringList());
    EXPECT_EQ(previewRow(t, 2), QStringList({"P1", "i1", "0101", "0203"}));
    click(t.identcol());
    EXPECT_EQ(previewRow(t, 0), QStringList({"", "L1", "L2"}));
    click(t.identcol());

    click(t.OKBtn());  // no digits chosen
    EXPECT_TRUE(t.isVisible());
    EXPECT_FALSE(t.close());
    click(t.nbchiffre()->button(1));
    click(t.OKBtn());
    EXPECT_FALSE(t.isVisible());
    EXPECT_TRUE(t.TextImportDone());
  });
  EXPECT_EQ(toldTexts(), QStringList({QString::fromUtf8(kDigits)}));
  expectLoadedState("pop.txt");
  EXPECT_EQ(cell(2, 1), "L1");
  EXPECT_EQ(cell(1, 2), "i1");
  EXPECT_EQ(cell(3, 2), "002003");
  EXPECT_EQ(window->document().NbPops, 2);
  EXPECT_EQ(window->document().PopNames[2], "P2");
}

TEST_F(TextImportTest, EachSeparatorItemCutsThePreviewAndTheImportAlike) {
  struct Case {
    int item;
    const char* typed;  // in Editsepar, for "Autre"
    const char* text;
  };
  const Case cases[] = {
      {0, "", "L1  L2\r\n P1 i1  0102 0304\r\n"},
      {1, "", "L 1\tL 2\r\nP 1\t i 1 \t0102\t0304\r\n"},
      {2, "", "L1;L2\r\nP1; i 1 ;0102;0304\r\n"},
      {3, "/", "L1/L2\r\nP1/i 1/0102/0304\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    write("pop.txt", c.text);
    QStringList previewed;
    importText("pop.txt", [&](Tf_fictext& t) {
      click(t.separateur()->button(c.item));
      if (c.item == 3) type(t.Editsepar(), c.typed);
      previewed = previewRow(t, 1);
      click(t.nbchiffre()->button(1));
      click(t.OKBtn());
    });
    expectLoadedState("pop.txt");
    const QString name = c.item == 0 ? "i1" : "i 1";  // blanks around a field are trimmed
    EXPECT_EQ(previewed.mid(previewed.size() - 3), QStringList({name, "0102", "0304"}));
    EXPECT_EQ(QString::fromStdString(cell(1, 2)), name);
    EXPECT_EQ(cell(2, 2), "001002");
    EXPECT_EQ(cell(3, 2), "003004");
  }
}

TEST_F(TextImportTest, OtherSeparatorAndTheSeparatorKeptFromTheLastImport) {
  write("comma.txt", "p,i,12\n");
  write("semi.txt", "p;i;34\n");
  importText("comma.txt", [&](Tf_fictext& t) {
    click(t.liglocus());
    click(t.separateur()->button(3));  // "Autre" keeps the item separator unchanged
    EXPECT_TRUE(Tf_fictext::TextSeparator().isEmpty());
    type(t.Editsepar(), ",");
    EXPECT_EQ(previewRow(t, 0), QStringList({"p", "i", "12"}));
    click(t.nbchiffre()->button(0));
    click(t.OKBtn());
  });
  EXPECT_EQ(cell(2, 2), "001002");

  Tf_fictext::setTextSeparator(";");  // as if ";" had been chosen in an earlier text import
  importText("semi.txt", [&](Tf_fictext& t) {
    click(t.liglocus());
    click(t.nbchiffre()->button(0));
    click(t.OKBtn());
  });
  EXPECT_EQ(cell(2, 2), "003004");
  expectLoadedState("semi.txt");
}

TEST_F(TextImportTest, OkWithoutASeparatorSaysSoAndStaysOpen) {
  write("pop.txt", "L1;L2\r\nP1;i1;0101;0203\r\n");
  importText("pop.txt", [&](Tf_fictext& t) {
    click(t.OKBtn());  // neither digits nor separator: the digits come first
    click(t.nbchiffre()->button(1));
    click(t.OKBtn());  // no separator item
    EXPECT_TRUE(t.isVisible());
    EXPECT_FALSE(t.closeAllowed());
    EXPECT_FALSE(t.close());
    click(t.separateur()->button(3));  // "Autre" with an empty edit
    click(t.OKBtn());
    EXPECT_TRUE(t.isVisible());
    EXPECT_FALSE(t.TextImportDone());
    type(t.Editsepar(), ";");
    click(t.OKBtn());
    EXPECT_FALSE(t.isVisible());
    EXPECT_TRUE(t.TextImportDone());
  });
  const QStringList told = toldTexts();
  EXPECT_EQ(told, QStringList({QString::fromUtf8(kDigits), QString::fromUtf8(kSeparator),
                               QString::fromUtf8(kSeparator)}));
  expectLoadedState("pop.txt");
  EXPECT_EQ(cell(2, 1), "L1");
  EXPECT_EQ(cell(3, 2), "002003");
}

TEST_F(TextImportTest, CancelOrAFailedReadLeavesTheWindowAsItWas) {
  write("bad.txt", "L1\np;i;0x01\n");
  openFixture();
  const GenotypeTable before = window->document().Cells;
  importText("bad.txt", [&](Tf_fictext& t) { QTest::keyClick(&t, Qt::Key_Escape); });
  importText("bad.txt", [&](Tf_fictext& t) {
    click(t.separateur()->button(2));
    click(t.nbchiffre()->button(1));
    click(t.OKBtn());
    EXPECT_FALSE(t.isVisible());  // no digits message earlier: it closes
    EXPECT_FALSE(t.TextImportDone());
  });
  ASSERT_EQ(prompts.errors().size(), 1);
  EXPECT_TRUE(prompts.errors()[0].contains("ligne 2")) << prompts.errors()[0].toStdString();
  EXPECT_EQ(window->document().Cells, before);
  EXPECT_EQ(window->windowTitle(), TestData("two_pops.bvt"));
  EXPECT_EQ(prompts.dialogs.count("f_fictext"), 2);
}

// A Ctrl-Z right after the last field ends the file, in the preview as in the table; one with
// text after it is refused naming its line, the table kept.
TEST_F(TextImportTest, ACtrlZThatEndsTheFileIsNoPartOfTheLastField) {
  write("end.txt", "L1;L2\r\nP;i;0101;0708\x1a");
  write("joined.txt", "L1\r\nP;i;0101\r\n\x1aL1\r\nP;j;0202\r\n");
  QStringList raw, cut;
  importText("end.txt", [&](Tf_fictext& t) {
    raw = previewRow(t, 1);
    click(t.separateur()->button(2));
    cut = previewRow(t, 1);
    click(t.nbchiffre()->button(1));
    click(t.OKBtn());
  });
  EXPECT_EQ(raw, QStringList({"P;i;0101;0708"}));
  EXPECT_EQ(cut, QStringList({"P", "i", "0101", "0708"}));
  expectLoadedState("end.txt");
  ASSERT_EQ(window->document().Cells.RowCount(), 3);
  EXPECT_EQ(cell(3, 2), "007008");

  const GenotypeTable before = window->document().Cells;
  importText("joined.txt", [&](Tf_fictext& t) {
    click(t.separateur()->button(2));
    click(t.nbchiffre()->button(1));
    click(t.OKBtn());
    EXPECT_FALSE(t.TextImportDone());
  });
  ASSERT_EQ(prompts.errors().size(), 1);
  EXPECT_TRUE(prompts.errors()[0].startsWith(
      QString::fromUtf8("joined.txt, ligne 3 : caractère Ctrl-Z (fin de fichier) suivi de texte")))
      << prompts.errors()[0].toStdString();
  EXPECT_EQ(window->document().Cells, before);
  EXPECT_EQ(window->windowTitle(), "end.txt");
}

// Once the table is taken, what it will hold short of the file is said in a warning box each;
// a file that gives nothing to import is refused in an error box and the table kept.
TEST_F(TextImportTest, WarningsFollowTheTableAndAFileOfNothingIsRefused) {
  const char* const nothing = "aucun individu : ce fichier n'a rien à importer.";
  const char* const oneHalf =
      "1 génotype n'a qu'un allèle (l'autre 0) : il compte comme manquant dans les analyses et "
      "s'enregistre « 000000 ».";
  struct Case {
    const char* file;
    const char* bytes;
    int format;
    std::vector<const char*> said;  // after "<file> : "
    bool refused;
  };
  const Case cases[] = {
      {"empty.dat", "0 2 9 2\r\nL1\r\nL2\r\n", 1, {nothing}, true},
      {"loci.txt", "L1;L2\r\n", 3, {nothing}, true},
      {"cut.gen",
       "T\r\nL1\r\nPop\r\nPopulation 1 , 0100\r\nPopulation 2 , 0101\r\n",
       2,
       {oneHalf,
        "2 noms d'individus ont plus de 10 caractères : l'enregistrement en garde les 10 "
        "premiers, et 2 individus ne se distinguent plus par leur nom."},
       false},
      {"usual.gen", "T\r\nL1\r\nPop\r\nabcdefghij , 0101\r\nabcdefghik , 0101\r\n", 2, {}, false},
      {"cut.txt",
       "L1;L2\r\nthe northern valley, site A;i1;0101;0001\r\n",
       3,
       {oneHalf,
        "1 nom de population a plus de 25 caractères : la table en garde les 25 premiers."},
       false},
  };
  openFixture();
  const GenotypeTable before = window->document().Cells;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    write(c.file, c.bytes);
    prompts.told.clear();
    Tf_import::setImportCloseAllowed(true);
    if (c.format == 3) {
      importText(c.file, [&](Tf_fictext& t) {
        click(t.separateur()->button(2));
        click(t.nbchiffre()->button(1));
        click(t.OKBtn());
        EXPECT_FALSE(t.isVisible());
      });
    } else {
      runImport([&](Tf_import& d) {
        type(d.nomfich(), c.file);
        choose(d, c.format);
        click(d.OKBtn());
        EXPECT_FALSE(d.isVisible());
      });
    }
    QStringList said;
    for (const char* s : c.said)
      said << QString(c.file) + QString::fromUtf8(" : ") + QString::fromUtf8(s);
    EXPECT_EQ(toldTexts(), said);
    for (const auto& t : prompts.told)
      EXPECT_EQ(t.icon, c.refused ? QMessageBox::Critical : QMessageBox::Warning);
    if (c.refused) {
      EXPECT_EQ(window->document().Cells, before);
      EXPECT_EQ(window->windowTitle(), TestData("two_pops.bvt"));
    } else {
      EXPECT_EQ(window->windowTitle(), c.file);
      EXPECT_TRUE(window->grid()->isVisible());
    }
  }
  EXPECT_EQ(window->document().PopNames[1], "the northern valley, site");
}

}  // namespace
}  // namespace relakin::test
