// The grid model's mapping onto the table, its code-page conversion and its notifications.
#include <gtest/gtest.h>

#include <QSignalSpy>

#include "editor/genotype_table_model.h"

namespace relakin {
namespace {

Document SmallTable() {
  Document doc;
  doc.Cells.Resize(4, 5);
  doc.Cells.SetCell(2, 0, "Loc.1");
  doc.Cells.SetCell(0, 2, "Pop Ind1");
  doc.Cells.SetCell(2, 1, "Loc A");
  doc.Cells.SetCell(1, 3, "Ren\xE9");  // Windows-1252 e acute
  doc.Cells.SetCell(3, 4, "101105");
  return doc;
}

TEST(GenotypeTableModelTest, RowZeroAndColumnZeroAreTheHeaders) {
  Document doc = SmallTable();
  GenotypeTableModel model(doc);
  EXPECT_EQ(model.rowCount(), 4);
  EXPECT_EQ(model.columnCount(), 3);
  EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "Loc.1");
  EXPECT_EQ(model.headerData(1, Qt::Vertical).toString(), "Pop Ind1");
  EXPECT_EQ(model.data(model.tableIndex(2, 1)).toString(), "Loc A");
  EXPECT_EQ(model.data(model.tableIndex(3, 4)).toString(), "101105");
  EXPECT_EQ(model.data(model.tableIndex(1, 3)).toString(), QString::fromUtf8("René"));
  EXPECT_FALSE(model.tableIndex(0, 2).isValid());
  EXPECT_FALSE(model.flags(model.tableIndex(1, 1)) & Qt::ItemIsEditable);
  EXPECT_TRUE(model.flags(model.tableIndex(2, 1)) & Qt::ItemIsEditable);
  EXPECT_TRUE(model.flags(model.tableIndex(1, 2)) & Qt::ItemIsEditable);
}

TEST(GenotypeTableModelTest, EditsGoIntoTheTableInItsCodePage) {
  Document doc = SmallTable();
  GenotypeTableModel model(doc);
  QSignalSpy edited(&model, &GenotypeTableModel::cellEdited);
  EXPECT_TRUE(model.setData(model.tableIndex(1, 4), QString::fromUtf8("Zoé")));
  EXPECT_EQ(doc.Cells.Cells(1, 4), "Zo\xE9");
  ASSERT_EQ(edited.count(), 1);
  EXPECT_EQ(edited[0][0].toInt(), 1);
  EXPECT_EQ(edited[0][1].toInt(), 4);
  EXPECT_FALSE(model.setData(model.tableIndex(1, 1), "x"));
  EXPECT_EQ(doc.Cells.Cells(1, 1), "");
}

TEST(GenotypeTableModelTest, RowOperationsAreAnnouncedAroundTheCoreChange) {
  Document doc = SmallTable();
  GenotypeTableModel model(doc);
  QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
  QSignalSpy labels(&model, &QAbstractItemModel::headerDataChanged);
  int rowsSeenInside = -1;
  model.insertTableRows(3, 1, [&] {
    doc.Cells.InsertRow(3);
    rowsSeenInside = doc.Cells.RowCount();
  });
  EXPECT_EQ(rowsSeenInside, 6);
  ASSERT_EQ(inserted.count(), 1);
  EXPECT_EQ(inserted[0][1].toInt(), 2);  // model row of table row 3
  EXPECT_EQ(model.rowCount(), 5);
  EXPECT_EQ(labels.count(), 1);
  model.removeTableColumns(2, 1, [&] { doc.Cells.DeleteColumn(2); });
  EXPECT_EQ(model.columnCount(), 2);
}

}  // namespace
}  // namespace relakin
