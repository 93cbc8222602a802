// The grid's editing handlers in a real main window: cell help, the keys that open the editor,
// the genotype check while typing, Ctrl+click population starts, heading clicks and drags.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <functional>
#include <tuple>

#include "editing_window_fixture.h"
#include "editor/popname_dialog.h"
#include "modal_windows.h"

namespace relakin::test {
namespace {

using relakin::testing::Column;
using relakin::testing::Names;
using relakin::testing::Row;
using relakin::testing::Starts;
using ::testing::ElementsAre;

using GridEditing = EditingWindowTest;

TEST_F(GridEditing, CellHelpFollowsTheCurrentCell) {
  struct Case {
    int col, row;
    const char* text;
  } cases[] = {
      {3, 4,
       "Editer génotype, 3 car. par allèle (N° max. 999) e.g. 010080; 000 si allèle manquant"},
      {1, 5,
       "Editer l'identifiant de l'indiv.; pour indiquer début d'une pop. CTRL + click sur 1ère "
       "col. de son premier ind."},
      {4, 1, "Editer le nom du locus "},
      {1, 1, ""},
  };
  for (const Case& c : cases) {
    click(c.col, c.row);
    EXPECT_EQ(window->statusText(), QString::fromUtf8(c.text)) << c.col << "," << c.row;
  }
}

TEST_F(GridEditing, KeysThatOpenTheCellEditor) {
  struct Case {
    const char* what;
    int col, row;
    Qt::Key key;
    bool opens;
  } cases[] = {
      {"a letter", 3, 4, Qt::Key_B, true},
      {"a digit", 3, 4, Qt::Key_7, true},
      {"F2", 3, 4, Qt::Key_F2, true},
      {"Enter", 3, 4, Qt::Key_Return, true},
      {"a minus sign", 3, 4, Qt::Key_Minus, false},
      {"a blank", 3, 4, Qt::Key_Space, false},
      {"a letter on cell (1, 1)", 1, 1, Qt::Key_B, false},
  };
  for (const Case& c : cases) {
    click(1, 6);
    click(c.col, c.row);
    key(c.key);
    EXPECT_EQ(openEditor() != nullptr, c.opens) << c.what;
    if (openEditor()) key(Qt::Key_Escape);
  }
}

TEST_F(GridEditing, TypedCharacterStartsTheTextAndDoubleClickOpens) {
  click(3, 4);
  type("7");
  ASSERT_NE(openEditor(), nullptr);
  EXPECT_EQ(openEditor()->text(), "7");
  key(Qt::Key_Escape);
  click(1, 1);
  QTest::mouseDClick(grid().viewport(), Qt::LeftButton, Qt::NoModifier, centre(1, 1));
  EXPECT_EQ(openEditor(), nullptr);
  click(2, 3);
  QTest::mouseDClick(grid().viewport(), Qt::LeftButton, Qt::NoModifier, centre(2, 3));
  EXPECT_NE(openEditor(), nullptr);
}

TEST_F(GridEditing, TypingAGenotypeWarnsOnTheSixthCharacterAndKeepsTheText) {
  click(3, 4);
  type("00012");
  EXPECT_TRUE(prompts.told.empty());
  EXPECT_TRUE(window->isModified());
  type("3");
  ASSERT_EQ(prompts.told.size(), 1u);
  EXPECT_EQ(prompts.told[0].text, QString::fromUtf8("Un des 2 allèles est = 000 !!"));
  ASSERT_NE(openEditor(), nullptr);
  key(Qt::Key_Return);
  EXPECT_EQ(doc().Cells.Cells(3, 4), "000123");
  EXPECT_EQ(openEditor(), nullptr);

  click(1, 5);  // names are not checked
  type("000123");
  key(Qt::Key_Return);
  EXPECT_EQ(prompts.told.size(), 1u);
  EXPECT_EQ(doc().Cells.Cells(1, 5), "000123");
}

// An editor closed on the text it opened with changes neither the cell nor Modified, however
// it is closed; a byte that has no character of its own stays as it was.
TEST_F(GridEditing, AnUnchangedEditorLeavesTheCellAndModifiedAlone) {
  const struct {
    const char* what;
    std::function<void()> leave;
  } cases[] = {
      {"Enter", [this] { key(Qt::Key_Return); }},
      {"a click on another cell", [this] { click(2, 6); }},
      {"a command that commits it", [this] { window->action("About1")->trigger(); }},
  };
  doc().Cells.SetCell(1, 5, "\x81x");  // no character at 0x81 in the code page
  model().cellChanged(1, 5);
  for (const auto& c : cases) {
    for (const auto& [col, row, text] : {std::tuple{3, 4, "g2.3"}, std::tuple{1, 5, "\x81x"}}) {
      SCOPED_TRACE(::testing::Message() << c.what << " at " << col << "," << row);
      click(col, row);
      key(Qt::Key_F2);
      ASSERT_NE(openEditor(), nullptr);
      c.leave();
      EXPECT_EQ(openEditor(), nullptr);
      EXPECT_EQ(doc().Cells.Cells(col, row), text);
      EXPECT_FALSE(window->isModified());
    }
  }
}

TEST_F(GridEditing, LettersInASixCharacterGenotypeShowTheErrorBox) {
  click(3, 4);
  type("12a456");
  ASSERT_EQ(prompts.errors().size(), 1u);
  EXPECT_THAT(prompts.errors()[0].toStdString(), ::testing::HasSubstr("12a456"));
  ASSERT_NE(openEditor(), nullptr);
  key(Qt::Key_Return);
  EXPECT_EQ(doc().Cells.Cells(3, 4), "12a456");
}

TEST_F(GridEditing, CtrlClickInsertsAPopulationWithItsName) {
  prompts.answers = {QMessageBox::Yes};
  prompts.onDialog["editname"] = [](QDialog& d) {
    auto& dialog = static_cast<PopNameDialog&>(d);
    EXPECT_TRUE(dialog.name().isEmpty());
    typeInto(dialog.nameEdit(), QString::fromUtf8("Île"));
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    return d.result();
  };
  click(1, 5, Qt::ControlModifier);
  EXPECT_THAT(prompts.asked,
              ElementsAre(QString::fromUtf8("Insérer une nouvelle pop entre Nord et Sud")));
  EXPECT_THAT(Starts(doc()), ElementsAre(2, 5, 8));
  EXPECT_THAT(Names(doc()), ElementsAre("Nord", "\xCEle", "Sud"));
  EXPECT_EQ(model().headerData(GenotypeTableModel::modelRow(5), Qt::Vertical).toString(),
            "Pop Ind4");
  EXPECT_TRUE(window->isModified());
}

TEST_F(GridEditing, CtrlClickOnAStartRemovesItAfterYes) {
  prompts.answers = {QMessageBox::No, QMessageBox::Yes};
  click(1, 8, Qt::ControlModifier);
  EXPECT_THAT(Starts(doc()), ElementsAre(2, 8));
  EXPECT_TRUE(window->isModified());  // whatever the answer
  click(1, 8, Qt::ControlModifier);
  EXPECT_THAT(
      prompts.asked,
      ElementsAre(
          QString::fromUtf8("Supprimer cette pop. (ses indiv. feront partie de la pop Nord"),
          QString::fromUtf8("Supprimer cette pop. (ses indiv. feront partie de la pop Nord")));
  EXPECT_THAT(Starts(doc()), ElementsAre(2));
  EXPECT_EQ(model().headerData(GenotypeTableModel::modelRow(8), Qt::Vertical).toString(),
            "      Ind7");
}

TEST_F(GridEditing, CtrlClicksThatChangeNoPopulation) {
  struct Case {
    const char* what;
    int col, row;
    Qt::KeyboardModifiers mods;
    bool modified;
  } cases[] = {
      {"row 2", 1, 2, Qt::ControlModifier, true},
      {"locus-name row", 1, 1, Qt::ControlModifier, false},
      {"a genotype cell", 3, 5, Qt::ControlModifier, false},
      {"Ctrl+Shift", 1, 5, Qt::ControlModifier | Qt::ShiftModifier, false},
  };
  for (const Case& c : cases) {
    window->setModified(false);
    click(c.col, c.row, c.mods);
    EXPECT_TRUE(prompts.asked.isEmpty()) << c.what;
    EXPECT_THAT(Starts(doc()), ElementsAre(2, 8)) << c.what;
    EXPECT_EQ(window->isModified(), c.modified) << c.what;
  }
}

TEST_F(GridEditing, HeadingClicksSelectAColumnOrARow) {
  QHeaderView& headings = *grid().horizontalHeader();
  QHeaderView& labels = *grid().verticalHeader();
  const auto press = [](QHeaderView& header, int section) {
    const int pos = header.sectionViewportPosition(section) + header.sectionSize(section) / 2;
    const QPoint at = header.orientation() == Qt::Horizontal ? QPoint(pos, header.height() / 2)
                                                             : QPoint(header.width() / 2, pos);
    QTest::mouseClick(header.viewport(), Qt::LeftButton, Qt::NoModifier, at);
  };
  press(headings, GenotypeTableModel::modelColumn(3));
  EXPECT_EQ(grid().currentIndex(), index(3, 1));
  EXPECT_EQ(grid().selectionModel()->selectedIndexes().size(), model().rowCount());
  EXPECT_TRUE(grid().selectionModel()->isColumnSelected(GenotypeTableModel::modelColumn(3)));
  EXPECT_EQ(window->statusText(),
            "To move this column Drag it over the desired destination and "
            "release the mouse button.");
  press(headings, GenotypeTableModel::modelColumn(1));
  EXPECT_EQ(window->statusText(), QString::fromUtf8("Vous ne pouvez déplacer cette colonne .."));

  press(labels, GenotypeTableModel::modelRow(6));
  EXPECT_EQ(grid().currentIndex(), index(1, 6));
  EXPECT_TRUE(grid().selectionModel()->isRowSelected(GenotypeTableModel::modelRow(6)));
  EXPECT_EQ(window->statusText(),
            "To move this row Drag it over the desired destination and release the mouse button.");
  press(labels, GenotypeTableModel::modelRow(1));
  EXPECT_EQ(window->statusText(), QString::fromUtf8("Vous ne pouvez pas déplacer cette ligne .."));
}

TEST_F(GridEditing, ColumnDragMovesTheDataAndPutsTheSectionsBack) {
  QHeaderView& headings = *grid().horizontalHeader();
  drag(headings, GenotypeTableModel::modelColumn(5), GenotypeTableModel::modelColumn(2));
  for (int s = 0; s < headings.count(); ++s) EXPECT_EQ(headings.visualIndex(s), s);
  EXPECT_THAT(Row(doc(), 1), ElementsAre("L4", "L1", "L2", "L3", "L5"));
  EXPECT_THAT(Row(doc(), 0), ElementsAre("Loc.1", "Loc.2", "Loc.3", "Loc.4", "Loc.5"));
  EXPECT_EQ(model().index(0, GenotypeTableModel::modelColumn(2)).data().toString(), "L4");
  EXPECT_TRUE(window->isModified());
}

TEST_F(GridEditing, RowDragKeepsThePopulationStart) {
  QHeaderView& labels = *grid().verticalHeader();
  drag(labels, GenotypeTableModel::modelRow(8), GenotypeTableModel::modelRow(4));
  for (int s = 0; s < labels.count(); ++s) EXPECT_EQ(labels.visualIndex(s), s);
  EXPECT_THAT(Column(doc(), 1), ElementsAre("i1", "i2", "i7", "i3", "i4", "i5", "i6", "i8", "i9",
                                            "i10", "i11", "i12"));
  EXPECT_THAT(Starts(doc()), ElementsAre(2, 8));
  EXPECT_EQ(model().headerData(GenotypeTableModel::modelRow(8), Qt::Vertical).toString(),
            "Pop Ind7");
  EXPECT_EQ(model().index(GenotypeTableModel::modelRow(4), 0).data().toString(), "i7");
  EXPECT_TRUE(window->isModified());
}

// Every row label shows whole, up to the largest table: five-digit numbers, population starts
// among them, the current row's label drawn in bold. The header's own size hint measures the
// first and last hundred labels.
TEST_F(GridEditing, RowLabelsShowWholeUpToTheLargestTable) {
  QHeaderView& labels = *grid().verticalHeader();
  EXPECT_GE(labels.width(), 68);
  for (int individuals : {12, 9999, 10759, 65534}) {
    SCOPED_TRACE(individuals);
    doc() = testing::MakeTable(individuals, 2, {2, individuals - 3, individuals + 1});
    window->showTable();
    const int last = individuals + 1;
    ASSERT_EQ(model().headerData(GenotypeTableModel::modelRow(last), Qt::Vertical).toString(),
              QString("Pop Ind%1").arg(individuals));
    grid().setCurrentIndex(index(1, last));
    QCoreApplication::processEvents();
    EXPECT_GE(labels.width(), labels.sizeHint().width());
  }
}

TEST_F(GridEditing, WindowShortcutsReachTheirCommandsWhileEditing) {
  click(3, 4);
  type("12");
  ASSERT_NE(openEditor(), nullptr);
  key(Qt::Key_P, Qt::ControlModifier);  // Go to population: its dialog opens
  EXPECT_THAT(prompts.dialogs, ElementsAre("BtnBottomDlg"));
  EXPECT_EQ(doc().Cells.Cells(3, 4), "12");  // the command committed the editor first
}

// The real message box, opened from inside the editor's text-changed handler.
class GridEditingWithBoxes : public EditingWindowTest {
 protected:
  void SetUp() override { open(std::make_unique<MainWindow>()); }
};

TEST_F(GridEditingWithBoxes, TheCellEditorSurvivesTheWarningBox) {
  QString shown;
  const gui_testing::ModalAnswer answer([&shown](QWidget* window) {
    auto* box = qobject_cast<QMessageBox*>(window);
    ASSERT_TRUE(box) << window->metaObject()->className();
    shown = box->text();
    box->accept();
  });
  click(3, 4);
  type("00012");
  type("3");
  EXPECT_EQ(shown, QString::fromUtf8("Un des 2 allèles est = 000 !!"));
  QLineEdit* editor = openEditor();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->text(), "000123");
  type("4");  // still typing in the same editor
  key(Qt::Key_Return);
  EXPECT_EQ(doc().Cells.Cells(3, 4), "0001234");
}

}  // namespace
}  // namespace relakin::test
