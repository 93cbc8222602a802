// The recent-files list: its settings file, its "Réouvrir" submenu, and the main window's calls
// (Save As, closing, a click on an entry).
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTableView>

#include "core/mru_file_list.h"
#include "editor/mru_file_list_menu.h"
#include "editor/mru_storage.h"
#include "editor/recent_file_commands.h"
#include "formats/dialogs/import_dialog.h"
#include "main_window_fixture.h"
#include "widgets/radio_group.h"

// Paths read in failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace relakin::test {
namespace {

QStringList Names(const QList<QAction*>& actions) {
  QStringList names;
  for (QAction* a : actions) names << a->objectName();
  return names;
}

QStringList Captions(const QMenu* menu) {
  QStringList captions;
  if (menu) {
    for (QAction* a : menu->actions()) captions << a->text();
  }
  return captions;
}

std::vector<std::string> Paths(std::initializer_list<const char*> paths) {
  return std::vector<std::string>(paths.begin(), paths.end());
}

// ---- The settings file ----

class MRUStorageTest : public ::testing::Test {
 protected:
  QString file() const { return dir.filePath("BRAVOLT.ini"); }
  void writeFile(const QByteArray& text) {
    QFile f(file());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
  }
  QTemporaryDir dir;
};

TEST_F(MRUStorageTest, SavedPathsReadBackNewestFirstAndOldKeysGo) {
  {
    QSettings settings(file(), QSettings::IniFormat);
    ASSERT_TRUE(SaveMRUPaths(settings, Paths({"/a", "/b", "/c", "/d", "/e"})));
    ASSERT_TRUE(SaveMRUPaths(settings, Paths({"/x=y.bvt", "/a,b; c.bvt", "/données/é&1.bvt"})));
  }
  QSettings settings(file(), QSettings::IniFormat);
  settings.beginGroup(kMRUSection);
  EXPECT_EQ(settings.childKeys(), QStringList({"F0", "F1", "F2"}));
  EXPECT_EQ(settings.value("F0").toString(), "/x=y.bvt");
  settings.endGroup();
  EXPECT_EQ(LoadMRUPaths(settings), Paths({"/x=y.bvt", "/a,b; c.bvt", "/données/é&1.bvt"}));
}

TEST_F(MRUStorageTest, LoadsKeysInNumberOrderAndSkipsEmptyValues) {
  writeFile(
      "[Other]\nF0=/not/this\n"
      "[MRU%20Items]\nF10=/ten\nF2=/two\nF0=/zero\nF1=\nNote=/note\nF3=/a,b.bvt\n");
  QSettings settings(file(), QSettings::IniFormat);
  EXPECT_EQ(LoadMRUPaths(settings), Paths({"/zero", "/two", "/a,b.bvt", "/ten", "/note"}));
}

TEST_F(MRUStorageTest, MissingFileOrSectionGivesNoPaths) {
  QSettings missing(file(), QSettings::IniFormat);
  EXPECT_TRUE(LoadMRUPaths(missing).empty());
  writeFile("[General]\nx=1\n");
  QSettings other(file(), QSettings::IniFormat);
  EXPECT_TRUE(LoadMRUPaths(other).empty());
}

TEST(MRUUserStorageTest, LivesInTheUsersConfigurationFolder) {
  const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
  ASSERT_FALSE(config.isEmpty());
  EXPECT_EQ(UserMRUSettings()->fileName(), config + "/BRAVOLT.ini");
  EXPECT_EQ(UserMRUSettings()->format(), QSettings::IniFormat);
}

// ---- The submenu ----

class MRUMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    file.addAction("Save")->setObjectName("Save");
    anchor = file.addSeparator();
    anchor->setObjectName("N1");
    file.addAction("Quit")->setObjectName("Quit");
  }

  QMenu file;
  QAction* anchor = nullptr;
};

TEST_F(MRUMenuTest, SeparatorAndSubmenuComeBeforeTheAnchorOnlyWhileTheListHoldsPaths) {
  MRUFileListMenu menu(&file, anchor);
  EXPECT_EQ(Names(file.actions()), QStringList({"Save", "N1", "Quit"}));
  EXPECT_EQ(menu.submenu(), nullptr);

  menu.AddItem("/data/a.bvt");
  menu.AddItem("/data/b.bvt");
  EXPECT_EQ(Names(file.actions()),
            QStringList({"Save", "MRUSeparator", "MRUSubmenu", "N1", "Quit"}));
  EXPECT_TRUE(file.actions()[1]->isSeparator());
  ASSERT_NE(menu.submenu(), nullptr);
  EXPECT_EQ(menu.submenu()->title(), "Réouvrir");
  EXPECT_EQ(Captions(menu.submenu()), QStringList({"&1 /data/b.bvt", "&2 /data/a.bvt"}));

  menu.AddItem("/data/a.bvt");
  EXPECT_EQ(Captions(menu.submenu()), QStringList({"&1 /data/a.bvt", "&2 /data/b.bvt"}));
  EXPECT_EQ(Names(file.actions()).count("MRUSubmenu"), 1);

  menu.Assign({});
  EXPECT_EQ(Names(file.actions()), QStringList({"Save", "N1", "Quit"}));
  EXPECT_EQ(menu.submenu(), nullptr);
}

TEST_F(MRUMenuTest, MaximumKeepsTheNewestAndNumbersPastNine) {
  MRUFileListMenu menu(&file, anchor);
  for (int i = 1; i <= 6; ++i) menu.AddItem(QString("/f%1").arg(i));
  EXPECT_EQ(Captions(menu.submenu()),
            QStringList({"&1 /f6", "&2 /f5", "&3 /f4", "&4 /f3", "&5 /f2"}));
  menu.setMaximum(2);
  EXPECT_EQ(Captions(menu.submenu()), QStringList({"&1 /f6", "&2 /f5"}));
  menu.setMaximum(0);
  EXPECT_EQ(menu.submenu(), nullptr);
  menu.AddItem("/g");
  EXPECT_TRUE(menu.fileList().isEmpty());

  menu.setMaximum(12);
  for (int i = 1; i <= 11; ++i) menu.AddItem(QString("/h%1").arg(i));
  const QStringList captions = Captions(menu.submenu());
  ASSERT_EQ(captions.size(), 11);
  EXPECT_EQ(captions[9], "&10 /h2");
  EXPECT_EQ(menu.submenu()->actions()[9]->objectName(), "MRUItem10");
}

TEST_F(MRUMenuTest, LongPathsAreShortenedToTheWidthInTheMenuFont) {
  MRUFileListMenu menu(&file, anchor);
  const QString shortPath = "/d/pop.bvt";
  const QString longPath =
      "/home/someone/projects/relatedness/2024/field-season/pond-seven/samples/pop.bvt";
  menu.AddItem(longPath);
  menu.AddItem(shortPath);
  const QFontMetrics metrics(menu.submenu()->font());
  ASSERT_LE(metrics.horizontalAdvance(shortPath), 200);
  ASSERT_GT(metrics.horizontalAdvance(longPath), 200);

  const QList<QAction*> entries = menu.submenu()->actions();
  EXPECT_EQ(entries[0]->text(), "&1 " + shortPath);
  const QString shown = entries[1]->text().mid(3);
  EXPECT_TRUE(shown.startsWith("/.../")) << shown.toStdString();
  EXPECT_TRUE(shown.endsWith("/samples/pop.bvt") || shown == "/.../pop.bvt") << shown.toStdString();
  EXPECT_LE(metrics.horizontalAdvance(shown), 200);
  // One directory more would not fit.
  EXPECT_EQ(entries[1]->property("FullCaption").toString(), "&2 " + longPath);

  menu.setMaxCaptionWidth(0);
  EXPECT_EQ(Captions(menu.submenu()), QStringList({"&1 " + shortPath, "&2 " + longPath}));
}

TEST_F(MRUMenuTest, AmpersandsOfAPathAreShownAsText) {
  MRUFileListMenu menu(&file, anchor);
  menu.AddItem("/R&D/a&b.bvt");
  EXPECT_EQ(Captions(menu.submenu()), QStringList({"&1 /R&&D/a&&b.bvt"}));
  EXPECT_EQ(menu.fileList(), QStringList({"/R&D/a&b.bvt"}));
}

TEST_F(MRUMenuTest, AClickedEntryLeavesTheListBeforeItsPathIsReported) {
  MRUFileListMenu menu(&file, anchor);
  for (const char* p : {"/a", "/b", "/c", "/d"}) menu.AddItem(p);
  QStringList listWhenReported;
  QStringList reported;
  QObject::connect(&menu, &MRUFileListMenu::MRUItemClick, [&](const QString& path) {
    reported << path;
    listWhenReported = menu.fileList();
  });
  menu.submenu()->actions()[2]->trigger();
  EXPECT_EQ(reported, QStringList({"/b"}));
  EXPECT_EQ(listWhenReported, QStringList({"/d", "/c", "/a"}));
  EXPECT_EQ(Captions(menu.submenu()), QStringList({"&1 /d", "&2 /c", "&3 /a"}));

  for (int i = 0; i < 3; ++i) menu.submenu()->actions()[0]->trigger();
  EXPECT_EQ(reported, QStringList({"/b", "/d", "/c", "/a"}));
  EXPECT_EQ(menu.submenu(), nullptr);
  EXPECT_EQ(Names(file.actions()), QStringList({"Save", "N1", "Quit"}));
}

// ---- The main window ----

class RecentFilesWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    storeUserList({});
    MainWindowTest::SetUp();
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    storeUserList({});
  }

  static void storeUserList(const std::vector<std::string>& paths) {
    SaveMRUPaths(*UserMRUSettings(), paths);
  }
  static std::vector<std::string> userList() { return LoadMRUPaths(*UserMRUSettings()); }

  // A window built anew, after the settings file was given `paths`.
  void restartWith(const std::vector<std::string>& paths) {
    window.reset();
    storeUserList(paths);
    window = std::make_unique<MainWindow>(&prompts);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }
  MRUFileListMenu& recent() { return window->findChild<RecentFileCommands*>()->list(); }
  QString fixtureCopy(const QString& name) {
    const QString target = path(name);
    QFile::copy(TestData("two_pops.bvt"), target);
    return target;
  }
  void saveAs(const QString& name) {
    prompts.saveNames.push_back(path(name));
    trigger("Saveas1");
  }
  // File > Import of the GENEPOP file `file`, its path typed in the import dialog.
  void importGenepop(const QString& file) {
    prompts.onDialog["f_import"] = [file](QDialog& d) {
      auto& dialog = static_cast<Tf_import&>(d);
      dialog.nomfich()->setText(file);
      dialog.Nature()->setItemIndex(2);
      dialog.OKBtn()->click();
      return d.result();
    };
    trigger("Importer1");
    ASSERT_EQ(window->currentFileName(), file);
  }

  // Opens File > "Réouvrir" with the keyboard and clicks entry `n` (1-based) with the mouse.
  void clickEntry(int n) {
    QMenu* file = window->action("File1")->menu();
    QMenu* submenu = recent().submenu();
    ASSERT_NE(submenu, nullptr);
    window->menuBar()->setActiveAction(window->action("File1"));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(file));
    for (int i = 0; i < 12 && file->activeAction() != submenu->menuAction(); ++i) {
      QTest::keyClick(file, Qt::Key_Down);
    }
    ASSERT_EQ(file->activeAction(), submenu->menuAction());
    QTest::keyClick(file, Qt::Key_Right);
    const bool shown = QTest::qWaitForWindowExposed(submenu, 2000);
    if (!shown) file->close();
    ASSERT_TRUE(shown);
    QAction* entry = submenu->actions().value(n - 1);
    ASSERT_NE(entry, nullptr);
    const QPoint at = submenu->actionGeometry(entry).center();
    QTest::mouseMove(submenu, at);
    QTest::mouseClick(submenu, Qt::LeftButton, {}, at);
    QCoreApplication::processEvents();
    if (submenu && submenu->isVisible()) submenu->close();
    if (file->isVisible()) file->close();
  }
};

TEST_F(RecentFilesWindowTest, ListIsLoadedWithTheWindowAndWrittenWhenItGoes) {
  EXPECT_EQ(recent().submenu(), nullptr);
  restartWith(Paths({"/data/one.bvt", "", "/data/two.bvt"}));
  EXPECT_EQ(Names(window->action("File1")->menu()->actions()),
            QStringList({"new1", "open1", "Importer1", "Save1", "Saveas1", "MRUSeparator",
                         "MRUSubmenu", "N1", "Quit1"}));
  EXPECT_EQ(Captions(recent().submenu()), QStringList({"&1 /data/one.bvt", "&2 /data/two.bvt"}));

  newEditedTable();
  saveAs("a.bvt");
  saveAs("b.bvt");
  EXPECT_EQ(recent().fileList(),
            QStringList({path("b.bvt"), path("a.bvt"), "/data/one.bvt", "/data/two.bvt"}));
  window.reset();
  EXPECT_EQ(userList(),
            Paths({path("b.bvt").toUtf8().constData(), path("a.bvt").toUtf8().constData(),
                   "/data/one.bvt", "/data/two.bvt"}));
}

TEST_F(RecentFilesWindowTest, OpenAddsNothingAndClosingAddsTheOpenFile) {
  const QString opened = fixtureCopy("opened.bvt");
  prompts.openNames.push_back(opened);
  trigger("open1");
  EXPECT_TRUE(recent().fileList().isEmpty());
  EXPECT_TRUE(window->close());
  EXPECT_EQ(recent().fileList(), QStringList({opened}));
  window.reset();
  EXPECT_EQ(userList(), Paths({opened.toUtf8().constData()}));
}

TEST_F(RecentFilesWindowTest, SaveUnderTheTablesOwnNameMovesItToTheTop) {
  const QString opened = fixtureCopy("opened.bvt");
  restartWith(Paths({"/data/one.bvt"}));
  prompts.openNames.push_back(opened);
  trigger("open1");
  window->model()->setData(window->model()->tableIndex(1, 2), "Changed");
  keys(Qt::Key_S);
  EXPECT_FALSE(window->isModified());
  EXPECT_TRUE(prompts.saveNames.empty());  // saved under its own name, no dialog
  EXPECT_EQ(recent().fileList(), QStringList({opened, "/data/one.bvt"}));
}

TEST_F(RecentFilesWindowTest, ClickedEntryIsReopenedAndTheFileLeftGoesToTheTop) {
  const QString first = fixtureCopy("first.bvt");
  const QString second = fixtureCopy("second.bvt");
  const QString opened = fixtureCopy("opened.bvt");
  restartWith(Paths({first.toUtf8().constData(), second.toUtf8().constData()}));
  prompts.openNames.push_back(opened);
  trigger("open1");
  window->setModified(true);
  prompts.answers.push_back(QMessageBox::No);

  clickEntry(2);
  EXPECT_EQ(prompts.asked.size(), 1);
  EXPECT_EQ(window->currentFileName(), second);
  EXPECT_EQ(window->windowTitle(), second);
  EXPECT_FALSE(window->isModified());
  EXPECT_TRUE(window->grid()->isVisible());
  EXPECT_TRUE(window->action("Save1")->isEnabled());
  EXPECT_EQ(recent().fileList(), QStringList({opened, first}));
  EXPECT_TRUE(prompts.errors().isEmpty()) << prompts.errors().join('\n').toStdString();
}

TEST_F(RecentFilesWindowTest, CancelledQuestionOrUnreadableFileKeepsTheTable) {
  struct Case {
    const char* label;
    bool fileExists;
    QMessageBox::StandardButton answer;
    QStringList listAfter;  // besides the clicked entry, which always leaves
    bool errorShown;
  };
  const QString opened = fixtureCopy("opened.bvt");
  const QString gone = path("gone.bvt");
  const QString other = fixtureCopy("other.bvt");
  const Case cases[] = {
      {"cancelled", true, QMessageBox::Cancel, {other}, false},
      {"unreadable", false, QMessageBox::No, {opened, other}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    const QString clicked = c.fileExists ? fixtureCopy("clicked.bvt") : gone;
    restartWith(Paths({clicked.toUtf8().constData(), other.toUtf8().constData()}));
    prompts.openNames.push_back(opened);
    trigger("open1");
    window->model()->setData(window->model()->tableIndex(1, 2), "Changed");
    prompts.told.clear();
    prompts.answers.push_back(c.answer);

    clickEntry(1);
    EXPECT_EQ(recent().fileList(), c.listAfter);
    EXPECT_EQ(window->currentFileName(), opened);
    EXPECT_EQ(window->windowTitle(), opened);
    EXPECT_TRUE(window->isModified());
    EXPECT_EQ(cell(1, 2), "Changed");
    EXPECT_TRUE(window->grid()->isVisible());
    EXPECT_EQ(prompts.errors().size(), c.errorShown ? 1 : 0);
    prompts.answers.clear();
  }
}

TEST_F(RecentFilesWindowTest, AnImportedFileIsNeverOfferedUntilSavedAsANativeFile) {
  const QString first = fixtureCopy("first.bvt");
  const QString foreign = path("c2line.gen");
  ASSERT_TRUE(QFile::copy(QString(RELAKIN_TEST_DATA) + "/formats/c2line.gen", foreign));
  restartWith(Paths({first.toUtf8().constData()}));

  importGenepop(foreign);
  // The entry's own action: a menu opened after a transient dialog of FakePrompts is not
  // exposed under the offscreen platform.
  recent().submenu()->actions()[0]->trigger();  // the file left, imported, stays out of the list
  EXPECT_EQ(window->currentFileName(), first);
  EXPECT_TRUE(recent().fileList().isEmpty());

  importGenepop(foreign);
  EXPECT_TRUE(window->close());
  EXPECT_TRUE(recent().fileList().isEmpty());

  saveAs("c2line.bvt");  // now a native file of its own
  EXPECT_EQ(recent().fileList(), QStringList({path("c2line.bvt")}));
  EXPECT_TRUE(prompts.errors().isEmpty()) << prompts.errors().join('\n').toStdString();
}

}  // namespace
}  // namespace relakin::test
