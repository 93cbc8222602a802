// Commands reached while a cell is still being edited: the text typed without Enter is in the
// table before the command reads it, whether the command comes from its shortcut or its menu.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <functional>

#include "editing_window_fixture.h"

namespace relakin::test {
namespace {

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The window's table named table.bvt in a temporary current directory, every genotype
// missing (the writers refuse the fixture's placeholder texts).
class OpenEditorCommands : public EditingWindowTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    previousDir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    EditingWindowTest::SetUp();
    for (int c = 2; c < doc().Cells.ColCount(); ++c) {
      for (int r = 2; r < doc().Cells.RowCount(); ++r) {
        doc().Cells.SetCell(c, r, "000000");
        model().cellChanged(c, r);
      }
    }
    window->setCurrentFileName(path("table.bvt"));
    window->refreshCaption();
  }
  void TearDown() override {
    window.reset();
    QDir::setCurrent(previousDir);
  }

  QString path(const QString& name) const { return dir.filePath(name); }

  // Clicks the menu bar's `menuName`, then its item `actionName`, as a user does.
  void clickMenu(const char* menuName, const char* actionName) {
    auto* menu = window->findChild<QMenu*>(menuName);
    QAction* item = window->action(actionName);
    ASSERT_TRUE(menu && item) << menuName << " " << actionName;
    QMenuBar* bar = window->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }, 2000));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    if (menu->isVisible()) menu->close();
    QCoreApplication::processEvents();
  }

  QTemporaryDir dir;
  QString previousDir;
};

TEST_F(OpenEditorCommands, TheTypedGenotypeReachesWhatTheCommandWrites) {
  struct Case {
    const char* what;
    std::function<void()> command;
    const char* written;  // the file that must hold the typed text
    bool modifiedAfter;
  };
  const Case cases[] = {
      {"Save by Ctrl+S", [this] { key(Qt::Key_S, Qt::ControlModifier); }, "table.bvt", false},
      {"Save from the File menu", [this] { clickMenu("File1", "Save1"); }, "table.bvt", false},
      {"Save As by Ctrl+A",
       [this] {
         prompts.saveNames.push_back(path("as_key.bvt"));
         key(Qt::Key_A, Qt::ControlModifier);
       },
       "as_key.bvt", false},
      {"Save As from the File menu",
       [this] {
         prompts.saveNames.push_back(path("as_menu.bvt"));
         clickMenu("File1", "Saveas1");
       },
       "as_menu.bvt", false},
      {"Diagnostic from the Tools menu", [this] { clickMenu("Tools1", "Diagnostique1"); },
       "temp.tmp", true},
      {"Relatedness from the Calc. menu",
       [this] {
         prompts.onDialog["ficres"] = [](QDialog& d) {
           QTest::mouseClick(d.findChild<QPushButton*>("OKBtn"), Qt::LeftButton);
           return d.result();
         };
         clickMenu("Trait1", "Identit1");
       },
       "temp.tmp", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QFile::remove(path(c.written));
    window->setModified(false);
    prompts.told.clear();
    click(3, 4);
    type("107107");
    ASSERT_NE(openEditor(), nullptr);
    ASSERT_EQ(doc().Cells.Cells(3, 4), "000000");  // not committed yet
    c.command();
    EXPECT_EQ(openEditor(), nullptr);
    EXPECT_EQ(doc().Cells.Cells(3, 4), "107107");
    EXPECT_TRUE(ReadAll(path(c.written)).contains("    i3 000000 107107 "))
        << ReadAll(path(c.written)).toStdString();
    EXPECT_EQ(window->isModified(), c.modifiedAfter);
    EXPECT_TRUE(prompts.errors().isEmpty()) << prompts.errors().join("\n").toStdString();
    doc().Cells.SetCell(3, 4, "000000");
    model().cellChanged(3, 4);
  }
}

TEST_F(OpenEditorCommands, ClosingAsksTheSaveQuestionForTheTypedText) {
  click(3, 4);
  type("107107");
  ASSERT_NE(openEditor(), nullptr);
  prompts.answers = {QMessageBox::Cancel};
  window->close();
  EXPECT_THAT(
      prompts.asked,
      ::testing::ElementsAre(
          QString::fromUtf8("Fichier %1 a été modifié. Sauvegarder ?").arg(path("table.bvt"))));
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(doc().Cells.Cells(3, 4), "107107");
}

}  // namespace
}  // namespace relakin::test
