// Copy, Cut, Paste and Delete through their keys, also while a cell is being edited, and the
// modeless Find and Replace dialogs working from the current cell.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

#include "editing_window_fixture.h"
#include "editor/clipboard_commands.h"
#include "editor/find_replace_dialog.h"
#include "modal_windows.h"

namespace relakin::test {
namespace {

using relakin::testing::Column;
using relakin::testing::Row;
using ::testing::ElementsAre;

class ClipboardAndFind : public EditingWindowTest {
 protected:
  void SetUp() override {
    EditingWindowTest::SetUp();
    QGuiApplication::clipboard()->clear();
    dataChanged = std::make_unique<QSignalSpy>(&model(), &QAbstractItemModel::dataChanged);
  }

  // Selects the block from (left, top) to (right, bottom), (left, top) current.
  void select(int left, int top, int right, int bottom) {
    click(left, top);
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, Qt::ShiftModifier, centre(right, bottom));
    grid().selectionModel()->setCurrentIndex(index(left, top), QItemSelectionModel::NoUpdate);
    QCoreApplication::processEvents();
  }
  static QString clipboardText() { return QGuiApplication::clipboard()->text(); }
  std::string cell(int col, int row) { return doc().Cells.Cells(col, row); }
  QStringList toldTexts() const {
    QStringList texts;
    for (const auto& t : prompts.told) texts << t.text;
    return texts;
  }
  ClipboardCommands& clipboardCommands() { return *window->findChild<ClipboardCommands*>(); }

  FindReplaceDialog& openDialog(Qt::Key key, const char* name) {
    window->activateWindow();
    QApplication::setActiveWindow(window.get());
    QTest::keyClick(&grid(), key, Qt::ControlModifier);
    QCoreApplication::processEvents();
    auto* dialog = window->findChild<FindReplaceDialog*>(name);
    EXPECT_NE(dialog, nullptr);
    return *dialog;
  }
  static void setText(QLineEdit* edit, const QString& text) {
    edit->clear();
    QTest::keyClicks(edit, text);
  }
  static void press(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
    QCoreApplication::processEvents();
  }

  std::unique_ptr<QSignalSpy> dataChanged;
};

TEST_F(ClipboardAndFind, CopyAndPasteABlockWithTheKeys) {
  select(2, 2, 3, 3);
  key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboardText(), "g1.1\tg2.1\r\ng1.2\tg2.2\r\n");
  EXPECT_TRUE(window->isModified());  // Copy sets it too

  click(5, 12);
  dataChanged->clear();
  key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_THAT(Row(doc(), 12, 5), ElementsAre("g1.1", "g2.1"));
  EXPECT_THAT(Row(doc(), 13, 5), ElementsAre("g1.2", "g2.2"));
  EXPECT_EQ(model().data(index(6, 13)).toString(), "g2.2");
  EXPECT_EQ(dataChanged->count(), 1);  // the view is told once
  EXPECT_EQ(grid().currentIndex(), index(5, 12));

  // Text from another program: LF row ends, no end after the last cell, clipped at the edge.
  QGuiApplication::clipboard()->setText("a\tb\tc\nd\te");
  click(5, 2);
  key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_THAT(Row(doc(), 2, 5), ElementsAre("a", "b"));
  EXPECT_THAT(Row(doc(), 3, 5), ElementsAre("g4.2", "g5.2"));
}

TEST_F(ClipboardAndFind, PasteDoesNothingAtTheCornerOrWithoutText) {
  click(2, 2);
  key(Qt::Key_V, Qt::ControlModifier);  // empty clipboard
  QGuiApplication::clipboard()->setText("x\r\n");
  click(1, 1);
  key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(cell(1, 1), "");
  EXPECT_EQ(cell(2, 2), "g1.1");
  EXPECT_FALSE(window->isModified());
}

TEST_F(ClipboardAndFind, KeysReachTheCommandsWhileACellIsEdited) {
  click(3, 4);
  type("0120");
  ASSERT_NE(openEditor(), nullptr);
  key(Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboardText(), "0120\r\n");  // the text being typed
  EXPECT_EQ(cell(3, 4), "0120");

  click(4, 6);
  type("99");
  ASSERT_NE(openEditor(), nullptr);
  key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(openEditor(), nullptr);
  EXPECT_EQ(cell(4, 6), "0120");

  click(5, 7);
  type("77");
  ASSERT_NE(openEditor(), nullptr);
  key(Qt::Key_Delete);
  EXPECT_EQ(openEditor(), nullptr);
  click(2, 2);  // the closed editor writes nothing back
  EXPECT_EQ(cell(5, 7), " ");
  EXPECT_EQ(cell(6, 7), "g5.6");
}

TEST_F(ClipboardAndFind, DeleteAndCutBlankTheSelection) {
  select(1, 2, 2, 3);
  key(Qt::Key_Delete);
  EXPECT_THAT(Column(doc(), 1, 1), ElementsAre("", " ", " ", "i3", "i4", "i5", "i6", "i7", "i8",
                                               "i9", "i10", "i11", "i12"));
  EXPECT_EQ(cell(2, 2), " ");
  EXPECT_TRUE(window->isModified());

  select(4, 1, 5, 2);
  key(Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(clipboardText(), "L3\tL4\r\ng3.1\tg4.1\r\n");
  EXPECT_THAT(Row(doc(), 1, 4), ElementsAre(" ", " ", "L5"));
  EXPECT_THAT(Row(doc(), 2, 4), ElementsAre(" ", " ", "g5.1"));
}

TEST_F(ClipboardAndFind, CutErasesNothingWhenTheCopyFails) {
  clipboardCommands().setClipboardWriter([](const QString&) { return false; });
  select(2, 2, 3, 2);
  key(Qt::Key_X, Qt::ControlModifier);
  EXPECT_THAT(toldTexts(), ElementsAre(QString::fromUtf8("Sélection trop large !")));
  EXPECT_EQ(prompts.told[0].icon, QMessageBox::NoIcon);
  EXPECT_THAT(Row(doc(), 2, 2), ElementsAre("g1.1", "g2.1", "g3.1", "g4.1", "g5.1"));
  EXPECT_TRUE(window->isModified());
}

TEST_F(ClipboardAndFind, CopyOfABlockOverTheSizeLimitStopsWithTheErrorBox) {
  doc().Cells.SetCell(2, 2, std::string(70000, 'x'));
  QGuiApplication::clipboard()->setText("before");
  select(2, 2, 2, 3);
  key(Qt::Key_X, Qt::ControlModifier);
  ASSERT_EQ(prompts.errors().size(), 1u);
  EXPECT_THAT(prompts.errors()[0].toStdString(), ::testing::HasSubstr("65535"));
  EXPECT_EQ(clipboardText(), "before");
  EXPECT_EQ(cell(2, 2).size(), 70000u);  // nothing erased
  EXPECT_EQ(cell(2, 3), "g1.2");
  EXPECT_TRUE(window->isModified());
}

TEST_F(ClipboardAndFind, PopupItemsAndToolButtonsRunTheSameCommands) {
  struct Case {
    const char* action;
    QString clipboard;  // after the command; null: unchanged
    std::string cell;   // (2, 2) after the command
  } cases[] = {
      {"Copy2", "g1.1\r\n", "g1.1"}, {"copy_b", "g1.1\r\n", "g1.1"},
      {"Cut2", "g1.1\r\n", " "},     {"cut_b", "g1.1\r\n", " "},
      {"Paste1", {}, "p"},           {"paste_b", {}, "p"},
      {"Delete2", {}, " "},
  };
  for (const Case& c : cases) {
    doc().Cells.SetCell(2, 2, "g1.1");
    QGuiApplication::clipboard()->setText("p");
    window->setModified(false);
    click(2, 2);
    window->action(c.action)->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(clipboardText(), c.clipboard.isNull() ? "p" : c.clipboard) << c.action;
    EXPECT_EQ(cell(2, 2), c.cell) << c.action;
    EXPECT_EQ(model().data(index(2, 2)).toString().toStdString(), c.cell) << c.action;
    EXPECT_TRUE(window->isModified()) << c.action;
  }
}

TEST_F(ClipboardAndFind, FindStartsFromTheCurrentCellBothWays) {
  click(1, 5);
  FindReplaceDialog& dialog = openDialog(Qt::Key_F, "FindDialog1");
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_FALSE(dialog.isModal());
  EXPECT_TRUE(dialog.downButton()->isChecked());
  EXPECT_FALSE(dialog.findNextButton()->isEnabled());  // no text yet
  setText(dialog.findEdit(), "G2.");
  press(dialog.findNextButton());
  EXPECT_EQ(grid().currentIndex(), index(3, 5));
  press(dialog.findNextButton());
  EXPECT_EQ(grid().currentIndex(), index(3, 6));
  press(dialog.upButton());
  press(dialog.findNextButton());
  EXPECT_EQ(grid().currentIndex(), index(3, 5));

  press(dialog.matchCaseBox());
  press(dialog.findNextButton());
  EXPECT_THAT(toldTexts(), ElementsAre(QString::fromUtf8("Ne peut trouver \"G2.\".")));
  EXPECT_EQ(grid().currentIndex(), index(3, 5));

  // The user goes on editing while the dialog is open; the next search starts where they are.
  click(6, 13);
  press(dialog.downButton());
  setText(dialog.findEdit(), "g");
  press(dialog.findNextButton());
  EXPECT_EQ(prompts.told.size(), 2u);
  EXPECT_EQ(prompts.told[1].text, QString::fromUtf8("Ne peut trouver \"g\"."));
  EXPECT_FALSE(window->isModified());
}

TEST_F(ClipboardAndFind, ReplaceAndReplaceAll) {
  click(1, 2);
  FindReplaceDialog& dialog = openDialog(Qt::Key_R, "ReplaceDialog1");
  EXPECT_EQ(dialog.upButton(), nullptr);  // always down
  setText(dialog.findEdit(), "g1.");
  setText(dialog.replaceEdit(), "X");
  press(dialog.replaceButton());  // i1 does not match: on to the next match
  EXPECT_EQ(grid().currentIndex(), index(2, 2));
  EXPECT_FALSE(window->isModified());
  press(dialog.replaceButton());
  EXPECT_EQ(cell(2, 2), "X1");
  EXPECT_EQ(grid().currentIndex(), index(2, 3));
  EXPECT_TRUE(window->isModified());

  dataChanged->clear();
  press(dialog.replaceAllButton());
  EXPECT_THAT(Column(doc(), 2), ElementsAre("X1", "X2", "X3", "X4", "X5", "X6", "X7", "X8", "X9",
                                            "X10", "X11", "X12"));
  EXPECT_EQ(dataChanged->count(), 1);
  EXPECT_EQ(grid().currentIndex(), index(2, 13));
  EXPECT_TRUE(prompts.told.empty());  // Replace All says nothing

  press(dialog.replaceButton());
  EXPECT_THAT(toldTexts(), ElementsAre(QString::fromUtf8("Ne peut trouver \"g1.\".")));

  // Its Find Next searches down with its own text, replacing nothing.
  click(1, 2);
  setText(dialog.findEdit(), "g2.");
  press(dialog.findNextButton());
  EXPECT_EQ(grid().currentIndex(), index(3, 2));
  EXPECT_EQ(cell(3, 2), "g2.1");
}

// A click on "Remplacer" or "Remplacer tout" leaves the focus on that button, and a click
// back in the dialog after one in the grid gives it back: Return still means "Suivant", in this
// showing and in the next one, and replaces nothing.
TEST_F(ClipboardAndFind, ReturnInTheReplaceDialogIsFindNext) {
  const struct {
    const char* button;
    int col;                // a column of its own
    const char* genotypes;  // what the column's genotypes start with
  } cases[] = {{"Replace", 3, "g2."}, {"ReplaceAll", 5, "g4."}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button);
    const std::vector<std::string> before = Column(doc(), c.col);
    click(c.col, 7);
    FindReplaceDialog& dialog = openDialog(Qt::Key_R, "ReplaceDialog1");
    setText(dialog.findEdit(), c.genotypes);
    setText(dialog.replaceEdit(), "YY");
    auto* button = dialog.findChild<QPushButton*>(c.button);
    press(button);
    ASSERT_EQ(cell(c.col, 7), "YY6");
    const std::vector<std::string> replaced = Column(doc(), c.col);

    // The user clicks the grid's first individual, then the dialog again.
    QApplication::setActiveWindow(window.get());
    click(1, 2);
    QApplication::setActiveWindow(&dialog);
    ASSERT_EQ(QApplication::focusWidget(), button);
    key(Qt::Key_Return);
    EXPECT_EQ(grid().currentIndex(), index(c.col, 2));
    EXPECT_EQ(Column(doc(), c.col), replaced);

    press(dialog.cancelButton());
    ASSERT_FALSE(dialog.isVisible());
    openDialog(Qt::Key_R, "ReplaceDialog1");
    key(Qt::Key_Return);
    EXPECT_EQ(grid().currentIndex(), index(c.col, 3));
    EXPECT_EQ(Column(doc(), c.col), replaced);
    EXPECT_EQ(std::vector(replaced.begin(), replaced.begin() + 5),
              std::vector(before.begin(), before.begin() + 5));
    press(dialog.cancelButton());
  }
  EXPECT_TRUE(prompts.told.empty());
}

TEST_F(ClipboardAndFind, FindTextTheCodePageCannotHoldMatchesNothing) {
  // The table holds "?" where a pasted character had no place in the code page; a find text with
  // such a character must not find those cells, nor Replace All rewrite them.
  doc().Cells.SetCell(3, 5, "1?2");
  click(1, 2);
  FindReplaceDialog& find = openDialog(Qt::Key_F, "FindDialog1");
  find.findEdit()->setText(QString::fromUtf8("ő"));
  press(find.findNextButton());
  EXPECT_EQ(grid().currentIndex(), index(1, 2));
  EXPECT_THAT(toldTexts(), ElementsAre(QString::fromUtf8("Ne peut trouver \"ő\".")));

  FindReplaceDialog& replace = openDialog(Qt::Key_R, "ReplaceDialog1");
  replace.findEdit()->setText(QString::fromUtf8("ő2"));
  replace.replaceEdit()->setText("Z");
  press(replace.replaceAllButton());
  press(replace.replaceButton());
  EXPECT_EQ(cell(3, 5), "1?2");
  EXPECT_FALSE(window->isModified());
  EXPECT_EQ(grid().currentIndex(), index(1, 2));
  EXPECT_EQ(prompts.told.size(), 2u);  // Replace's not-found message; Replace All says nothing
}

// The real message boxes: once "Ne peut trouver" is answered, the dialog it was shown over is
// the active window again, so the next Return searches on instead of reaching the grid.
class FindWithMessageBoxes : public EditingWindowTest {
 protected:
  void SetUp() override { open(std::make_unique<MainWindow>()); }
};

TEST_F(FindWithMessageBoxes, DialogIsActiveAgainAfterNotFound) {
  const struct {
    Qt::Key shortcut;
    const char* dialog;
    const char* search;  // the button that searches, null for Return
  } cases[] = {{Qt::Key_F, "FindDialog1", "FindNext"},
               {Qt::Key_F, "FindDialog1", nullptr},
               {Qt::Key_R, "ReplaceDialog1", "Replace"},
               {Qt::Key_R, "ReplaceDialog1", nullptr}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.dialog << " " << (c.search ? c.search : "Return"));
    click(6, 13);  // after the last g5. cell
    QApplication::setActiveWindow(window.get());
    QTest::keyClick(&grid(), c.shortcut, Qt::ControlModifier);
    auto* dialog = window->findChild<FindReplaceDialog*>(c.dialog);
    ASSERT_TRUE(QTest::qWaitFor([dialog] { return QApplication::activeWindow() == dialog; }, 2000));
    dialog->findEdit()->setText("g5.");
    QString told;
    {
      const gui_testing::ModalAnswer answer([&told](QWidget* box) {
        told = static_cast<QMessageBox*>(box)->text();
        QTest::keyClick(box, Qt::Key_Return);
      });
      if (c.search) {
        QTest::mouseClick(dialog->findChild<QPushButton*>(c.search), Qt::LeftButton);
      } else {
        QTest::keyClick(dialog->findEdit(), Qt::Key_Return);
      }
    }
    EXPECT_EQ(told, QString::fromUtf8("Ne peut trouver \"g5.\"."));
    EXPECT_TRUE(QTest::qWaitFor([dialog] { return QApplication::activeWindow() == dialog; }, 2000));
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->window(), dialog);

    click(1, 2);
    key(Qt::Key_Return);
    EXPECT_EQ(grid().currentIndex(), index(6, 2));
    EXPECT_EQ(doc().Cells.Cells(6, 2), "g5.1");
    dialog->hide();
  }
}

}  // namespace
}  // namespace relakin::test
