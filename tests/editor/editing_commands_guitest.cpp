// The Edit menu's row, column, go-to and population-name commands, with their dialogs answered
// by clicks and keys.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>
#include <QTableWidget>
#include <functional>
#include <string>

#include "editing_window_fixture.h"
#include "editor/addrowcol_dialog.h"
#include "editor/goto_dialog.h"
#include "editor/popkeys_dialog.h"

namespace relakin::test {
namespace {

using relakin::testing::Column;
using relakin::testing::Names;
using relakin::testing::Row;
using relakin::testing::Starts;
using ::testing::ElementsAre;

class EditingCommands : public EditingWindowTest {
 protected:
  void trigger(const char* name) {
    window->action(name)->trigger();
    QCoreApplication::processEvents();
  }
  // The go-to dialog answers with `text` typed into its shown list, then OK or Cancel.
  void answerGoto(const QString& text, bool ok = true) {
    prompts.onDialog["BtnBottomDlg"] = [this, text, ok](QDialog& d) {
      auto& dialog = static_cast<GotoDialog&>(d);
      QComboBox* box =
          dialog.individualBox()->isVisible() ? dialog.individualBox() : dialog.populationBox();
      shownLabel = dialog.label()->text();
      box->lineEdit()->clear();
      QTest::keyClicks(box->lineEdit(), text);
      QTest::mouseClick(ok ? dialog.okButton() : dialog.cancelButton(), Qt::LeftButton);
      return d.result();
    };
  }
  GotoDialog& gotoDialog() { return *window->findChild<GotoDialog*>("BtnBottomDlg"); }
  QStringList items(QComboBox* box) {
    QStringList list;
    for (int i = 0; i < box->count(); ++i) list << box->itemText(i);
    return list;
  }
  QStringList toldTexts() {
    QStringList texts;
    for (const auto& t : prompts.told) texts << t.text;
    return texts;
  }

  QString shownLabel;
};

TEST_F(EditingCommands, InsertAndDeleteRowAtRowTwo) {
  click(3, 2);
  trigger("Insert1");
  EXPECT_EQ(doc().Cells.RowCount(), 15);
  EXPECT_THAT(Row(doc(), 2, 1), ElementsAre("", "", "", "", "", ""));
  EXPECT_THAT(Starts(doc()), ElementsAre(2, 9));
  EXPECT_EQ(model().headerData(GenotypeTableModel::modelRow(3), Qt::Vertical).toString(),
            "      Ind2");
  EXPECT_EQ(grid().currentIndex(), index(3, 2));
  EXPECT_EQ(model().rowCount(), 14);
  EXPECT_TRUE(window->isModified());

  trigger("Row1");  // deletes the new row again
  EXPECT_EQ(doc().Cells.RowCount(), 14);
  EXPECT_THAT(Column(doc(), 1), ElementsAre("i1", "i2", "i3", "i4", "i5", "i6", "i7", "i8", "i9",
                                            "i10", "i11", "i12"));
  EXPECT_THAT(Starts(doc()), ElementsAre(2, 8));
  EXPECT_EQ(model().rowCount(), 13);
}

TEST_F(EditingCommands, PopupInsertAndDeleteAPopulationsOnlyRow) {
  click(1, 8);
  trigger("InsertaRow1");  // the new row 8 joins population 1; population 2 starts at 9
  EXPECT_THAT(Starts(doc()), ElementsAre(2, 9));
  click(1, 9);
  trigger("Row1");
  EXPECT_THAT(Starts(doc()), ElementsAre(2, 9));  // row 10 took over the start
  EXPECT_THAT(Names(doc()), ElementsAre("Nord", "Sud"));
}

TEST_F(EditingCommands, RowCommandsOnTheLocusNameRowDoNothing) {
  click(3, 1);
  for (const char* name : {"Insert1", "Row1"}) trigger(name);
  EXPECT_EQ(doc().Cells.RowCount(), 14);
  EXPECT_FALSE(window->isModified());
  click(1, 4);
  trigger("Column1");
  EXPECT_EQ(doc().Cells.ColCount(), 7);
  EXPECT_FALSE(window->isModified());
}

TEST_F(EditingCommands, DeleteColumnRenumbersTheHeadings) {
  click(3, 4);
  trigger("Column1");
  EXPECT_EQ(doc().Cells.ColCount(), 6);
  EXPECT_EQ(model().columnCount(), 5);
  EXPECT_THAT(Row(doc(), 1), ElementsAre("L1", "L3", "L4", "L5"));
  EXPECT_EQ(model().headerData(GenotypeTableModel::modelColumn(3), Qt::Horizontal).toString(),
            "Loc.2");
  EXPECT_TRUE(window->isModified());
}

TEST_F(EditingCommands, AnOpenEditorIsCommittedBeforeARowCommand) {
  click(3, 5);
  type("101");
  ASSERT_NE(openEditor(), nullptr);
  trigger("Insert1");
  EXPECT_EQ(doc().Cells.Cells(3, 6), "101");  // moved down with its row
  EXPECT_EQ(doc().Cells.Cells(3, 5), "");
}

TEST_F(EditingCommands, AddRowsAndColumnsThroughTheDialog) {
  prompts.onDialog["MultPageDlg"] = [](QDialog& d) {
    auto& dialog = static_cast<AddRowColDialog&>(d);
    EXPECT_EQ(dialog.rowsEdit()->value(), 0);
    EXPECT_EQ(dialog.rowsEdit()->maximum(), 65534 - 12);
    EXPECT_EQ(dialog.colsEdit()->maximum(), 65535 - 5);
    EXPECT_THAT((std::vector{dialog.tabs()->tabText(0), dialog.tabs()->tabText(1)}),
                ElementsAre("Lignes", "Colonnes"));
    dialog.rowsEdit()->setValue(2);
    QTest::mouseClick(dialog.tabs(), Qt::LeftButton, Qt::NoModifier,
                      dialog.tabs()->tabRect(1).center());
    EXPECT_EQ(dialog.pages()->currentIndex(), 1);
    dialog.colsEdit()->setValue(1);
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    return d.result();
  };
  trigger("AddRowandcols1");
  EXPECT_EQ(doc().Cells.RowCount(), 16);
  EXPECT_EQ(doc().Cells.ColCount(), 8);
  EXPECT_EQ(model().rowCount(), 15);
  EXPECT_EQ(model().columnCount(), 7);
  EXPECT_EQ(doc().Cells.Cells(0, 15), "      Ind14");
  EXPECT_EQ(doc().Cells.Cells(7, 0), "Loc.6");
  EXPECT_THAT(Starts(doc()), ElementsAre(2, 8));
  EXPECT_FALSE(window->isModified());

  prompts.onDialog["MultPageDlg"] = [](QDialog& d) {
    static_cast<AddRowColDialog&>(d).rowsEdit()->setValue(3);
    QTest::mouseClick(static_cast<AddRowColDialog&>(d).cancelButton(), Qt::LeftButton);
    return d.result();
  };
  trigger("AddRowandcols1");
  EXPECT_EQ(doc().Cells.RowCount(), 16);
}

// A count typed past the room left is taken whole and brought into range when its field is
// left, or when Return presses OK while it is still being typed.
TEST_F(EditingCommands, AddDialogBringsTypedCountsIntoRange) {
  const struct {
    int page;
    const char* typed;
    int value;
  } cases[] = {
      {0, "70000", 65534 - 12}, {1, "99999", 65535 - 5}, {0, "25", 25}, {1, "", 0}, {0, "x", 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    prompts.onDialog["MultPageDlg"] = [&c](QDialog& d) {
      auto& dialog = static_cast<AddRowColDialog&>(d);
      QApplication::setActiveWindow(&d);
      dialog.tabs()->setCurrentIndex(c.page);
      QSpinBox* spin = c.page == 0 ? dialog.rowsEdit() : dialog.colsEdit();
      spin->setFocus();
      EXPECT_EQ(QApplication::focusWidget(), spin);
      spin->selectAll();
      QTest::keyClick(spin, Qt::Key_Delete);
      QTest::keyClicks(spin, c.typed);
      QTest::keyClick(spin, Qt::Key_Tab);
      EXPECT_EQ(spin->value(), c.value);
      QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
      return d.result();
    };
    trigger("AddRowandcols1");
  }
  prompts.onDialog["MultPageDlg"] = [](QDialog& d) {
    auto& dialog = static_cast<AddRowColDialog&>(d);
    QApplication::setActiveWindow(&d);
    dialog.rowsEdit()->setFocus();
    dialog.rowsEdit()->selectAll();
    QTest::keyClicks(dialog.rowsEdit(), "70000");
    QTest::keyClick(dialog.rowsEdit(), Qt::Key_Return);
    return d.result();
  };
  trigger("AddRowandcols1");
  EXPECT_EQ(doc().Cells.RowCount(), 65534 + 2);
  EXPECT_EQ(doc().Cells.ColCount(), 5 + 2);
}

TEST_F(EditingCommands, GotoIndividual) {
  answerGoto("7");
  trigger("GotoindivN1");
  EXPECT_EQ(shownLabel, QString::fromUtf8("Individu N° :"));
  EXPECT_EQ(grid().currentIndex(), index(1, 8));
  EXPECT_THAT(items(gotoDialog().individualBox()), ElementsAre("7"));

  for (const char* text : {"0", "13", "abc"}) {
    answerGoto(text);
    trigger("GotoindivN1");
  }
  EXPECT_THAT(toldTexts(),
              ElementsAre("Ne trouve pas cet individu !", "Ne trouve pas cet individu !",
                          "Ne trouve pas cet individu !"));
  EXPECT_EQ(grid().currentIndex(), index(1, 8));
  EXPECT_THAT(items(gotoDialog().individualBox()), ElementsAre("7"));

  answerGoto("3x");
  trigger("GotoindivN1");
  EXPECT_EQ(grid().currentIndex(), index(1, 4));
  answerGoto("5", false);  // Cancel
  trigger("GotoindivN1");
  EXPECT_EQ(grid().currentIndex(), index(1, 4));
  EXPECT_FALSE(window->isModified());
}

TEST_F(EditingCommands, GotoIndividualHistoryReplacesTheTenthItem) {
  for (int i = 1; i <= 11; ++i) {
    answerGoto(QString::number(i));
    trigger("GotoindivN1");
  }
  EXPECT_THAT(items(gotoDialog().individualBox()),
              ElementsAre("1", "2", "3", "4", "5", "6", "7", "8", "9", "11"));
}

TEST_F(EditingCommands, GotoPopulation) {
  answerGoto("2");
  trigger("ReachpopN1");
  EXPECT_EQ(shownLabel, QString::fromUtf8("Population N° :"));
  EXPECT_EQ(grid().currentIndex(), index(1, 8));
  answerGoto("3");
  trigger("ReachpopN1");
  EXPECT_THAT(toldTexts(), ElementsAre(QString::fromUtf8("Population non trouvée !")));
  answerGoto("1");
  trigger("ReachpopN1");
  EXPECT_EQ(grid().currentIndex(), index(1, 2));
  EXPECT_THAT(items(gotoDialog().populationBox()), ElementsAre("1", "2"));
  EXPECT_EQ(items(gotoDialog().individualBox()).size(), 0);
}

// Ctrl+P shows the population list where Ctrl+I shows the individual list, under the label.
TEST_F(EditingCommands, GotoListsStandAtTheSamePlace) {
  struct Shown {
    QRect list, label;
    bool otherHidden = false;
  };
  const auto seen = [this](Qt::Key shortcut) {
    Shown shown;
    prompts.onDialog["BtnBottomDlg"] = [&shown](QDialog& d) {
      auto& dialog = static_cast<GotoDialog&>(d);
      QCoreApplication::processEvents();
      const bool individuals = dialog.individualBox()->isVisible();
      QComboBox* list = individuals ? dialog.individualBox() : dialog.populationBox();
      QComboBox* other = individuals ? dialog.populationBox() : dialog.individualBox();
      shown = {list->geometry(), dialog.label()->geometry(), !other->isVisible()};
      QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
      return d.result();
    };
    key(shortcut, Qt::ControlModifier);
    return shown;
  };
  for (int round = 0; round < 2; ++round) {  // each mode also after the other one
    const Shown individuals = seen(Qt::Key_I);
    const Shown populations = seen(Qt::Key_P);
    EXPECT_TRUE(individuals.otherHidden && populations.otherHidden);
    EXPECT_EQ(populations.list, individuals.list);
    EXPECT_GE(populations.list.top(), populations.label.bottom());
    EXPECT_FALSE(individuals.list.isEmpty());
  }
}

TEST_F(EditingCommands, PopulationNamesDialogShowsAndStoresNames) {
  prompts.onDialog["popkeys"] = [](QDialog& d) {
    auto& dialog = static_cast<PopKeysDialog&>(d);
    QTableWidget& names = *dialog.grid();
    EXPECT_EQ(d.windowTitle(), "Edition des noms des populations :");
    EXPECT_EQ(names.rowCount(), 2);
    const auto text = [&names](int row, int col) { return names.item(row, col)->text(); };
    EXPECT_THAT((QStringList{text(0, 0), text(0, 1), text(0, 2), text(0, 3)}),
                ElementsAre("1", "Nord", "1", "6"));
    EXPECT_THAT((QStringList{text(1, 0), text(1, 1), text(1, 2), text(1, 3)}),
                ElementsAre("2", "Sud", "7", "6"));
    EXPECT_FALSE(names.item(1, 2)->flags() & Qt::ItemIsEditable);
    // Type a name into row 2's name cell; the mask takes 20 characters at most.
    names.setCurrentCell(1, 1);
    names.setFocus();
    QTest::keyClick(&names, Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(names.indexWidget(names.currentIndex()));
    EXPECT_NE(editor, nullptr);
    if (editor) {
      editor->selectAll();
      typeInto(editor, QString::fromUtf8("Sud Été 2003 abcdefghijkl-"));
      QTest::keyClick(editor, Qt::Key_Return);
      QCoreApplication::processEvents();  // Return commits through a queued call
    }
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    return d.result();
  };
  trigger("KeystoPopulations1");
  EXPECT_THAT(Names(doc()), ElementsAre("Nord", "Sud \xC9t\xE9 2003 abcdefg"));
  EXPECT_TRUE(window->isModified());
}

TEST_F(EditingCommands, PopulationNamesOkWithoutChangesStillModifiesAndCloseStoresNothing) {
  prompts.onDialog["popkeys"] = [](QDialog& d) {
    QTest::mouseClick(static_cast<PopKeysDialog&>(d).okButton(), Qt::LeftButton);
    return d.result();
  };
  trigger("KeystoPopulations1");
  EXPECT_TRUE(window->isModified());

  window->setModified(false);
  prompts.onDialog["popkeys"] = [](QDialog& d) {
    auto& dialog = static_cast<PopKeysDialog&>(d);
    dialog.grid()->item(0, 1)->setText("Changed");
    QTest::mouseClick(dialog.closeButton(), Qt::LeftButton);
    return d.result();
  };
  trigger("KeystoPopulations1");
  EXPECT_THAT(Names(doc()), ElementsAre("Nord", "Sud"));
  EXPECT_FALSE(window->isModified());
}

// Population 1's stored name, then F2 on its cell, the keys, Return and OK: what the editor showed
// before Return is what the document keeps. A stored name keeps what typing could not give (25
// characters, a hyphen); typing adds letters, digits and blanks up to 20 characters.
TEST_F(EditingCommands, PopulationNameEditorShowsWhatOkStores) {
  const std::string stored25 = "ABCDEFGHIJKLMNOPQRSTUVWXY";
  struct Case {
    const char* name;
    std::string stored;
    std::function<void(QLineEdit&)> keys;
    std::string kept;
  };
  const auto at_end = [](const QString& text) {
    return [text](QLineEdit& e) {
      e.end(false);
      typeInto(&e, text);
    };
  };
  const Case cases[] = {
      {"untouched 25 characters", stored25, [](QLineEdit&) {}, stored25},
      {"no lengthening past 20", stored25, at_end("Z"), stored25},
      {"one letter replaced in 25", stored25,
       [](QLineEdit& e) {
         e.setSelection(2, 1);
         typeInto(&e, "z");
       },
       "ABzDEFGHIJKLMNOPQRSTUVWXY"},
      {"retyped: 20 at most", stored25,
       [](QLineEdit& e) {
         e.selectAll();
         typeInto(&e, "abcdefghijklmnopqrstuvw");
       },
       "abcdefghijklmnopqrst"},
      {"a letter typed beside a stored hyphen", "Nord-1",
       [](QLineEdit& e) {
         e.end(false);
         QTest::keyClick(&e, Qt::Key_Backspace);
         typeInto(&e, "X");
       },
       "Nord-X"},
      {"no hyphen typed", "Nord-1", at_end("-2"), "Nord-12"},
      {"no letter outside the code page", "Nord", at_end(QString::fromUtf8("Ω1")), "Nord1"},
      {"no paste holding a hyphen", "Nord",
       [](QLineEdit& e) {
         QApplication::clipboard()->setText("a-b");
         e.end(false);
         e.paste();
       },
       "Nord"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    doc().SetPopName(1, c.stored);
    QString shown = "(no editor)";
    prompts.onDialog["popkeys"] = [&c, &shown](QDialog& d) {
      auto& dialog = static_cast<PopKeysDialog&>(d);
      QTableWidget& names = *dialog.grid();
      names.setCurrentCell(0, 1);
      names.setFocus();
      QTest::keyClick(&names, Qt::Key_F2);
      if (auto* editor = qobject_cast<QLineEdit*>(names.indexWidget(names.currentIndex()))) {
        c.keys(*editor);
        shown = editor->text();
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();  // Return commits through a queued call
      }
      QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
      return d.result();
    };
    trigger("KeystoPopulations1");
    EXPECT_EQ(shown, QString::fromStdString(c.kept));
    EXPECT_THAT(Names(doc()), ElementsAre(c.kept, "Sud"));
  }
}

// Bytes the code page leaves undefined (a name once saved as UTF-8: "Á" is C3 81) cannot be
// shown, but an untouched name keeps them.
TEST_F(EditingCommands, PopulationNamesNobodyChangedKeepTheirBytes) {
  doc().SetPopName(1, "\xC3\x81lvarez \x81");
  prompts.onDialog["popkeys"] = [](QDialog& d) {
    QTest::mouseClick(static_cast<PopKeysDialog&>(d).okButton(), Qt::LeftButton);
    return d.result();
  };
  trigger("KeystoPopulations1");
  EXPECT_THAT(Names(doc()), ElementsAre("\xC3\x81lvarez \x81", "Sud"));
}

TEST(PopKeysDialogAlone, NamesTypedStayWhenTheWindowIsActivatedAgain) {
  Document doc = relakin::testing::MakeTable(6, 1, {2, 4}, {"A"});
  PopKeysDialog dialog(doc);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  EXPECT_EQ(dialog.grid()->item(1, 1)->text(), "");  // no entry: an empty name
  dialog.grid()->item(0, 1)->setText("typed");
  QEvent deactivate(QEvent::WindowDeactivate), activate(QEvent::WindowActivate);
  QCoreApplication::sendEvent(&dialog, &deactivate);
  QCoreApplication::sendEvent(&dialog, &activate);
  EXPECT_EQ(dialog.grid()->item(0, 1)->text(), "typed");
  dialog.hide();
  dialog.show();  // a new showing starts from the stored names
  EXPECT_EQ(dialog.grid()->item(0, 1)->text(), "A");
}

}  // namespace
}  // namespace relakin::test
