// Insert and delete a row, delete a column, add rows and columns.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/row_commands.h"
#include "editing_fixture.h"

namespace relakin {
namespace {

using testing::Column;
using ::testing::ElementsAre;
using testing::MakeTable;
using testing::Names;
using testing::Row;
using testing::Starts;

// Names of the individuals on rows 2 .. ("" for an empty row).
std::vector<std::string> Order(const Document& doc) { return Column(doc, 1); }

TEST(InsertRow, NewRowJoinsThePopulationAbove) {
  struct Case {
    const char* what;
    int row;
    std::vector<int> starts;
    std::vector<std::string> order;
  } cases[] = {
      {"row 2: population 1's new first", 2, {2, 5, 9}, {"", "i1", "i2", "i3", "i4", "i5"}},
      {"start of pop 3 stays with its individual", 8, {2, 4, 9}, {"i1", "i2", "i3", "i4", "i5"}},
      {"inside a population", 3, {2, 5, 9}, {"i1", "", "i2", "i3", "i4", "i5"}},
  };
  for (const Case& c : cases) {
    Document doc = MakeTable(9, 2, {2, 4, 8}, {"A", "B", "C"});
    EXPECT_TRUE(InsertIndividualRow(doc, c.row)) << c.what;
    EXPECT_EQ(doc.Cells.RowCount(), 12) << c.what;
    EXPECT_EQ(Starts(doc), c.starts) << c.what;
    EXPECT_THAT(Names(doc), ElementsAre("A", "B", "C")) << c.what;
    const std::vector<std::string> order = Order(doc);
    EXPECT_EQ(std::vector<std::string>(order.begin(), order.begin() + c.order.size()), c.order)
        << c.what;
    EXPECT_THAT(
        Row(doc, c.row, 0),
        ElementsAre(c.row == c.starts[0] ? "Pop Ind1" : "      Ind" + std::to_string(c.row - 1), "",
                    "", ""))
        << c.what;
  }
}

TEST(InsertRow, RefusedOutsideTheIndividualRows) {
  for (int row : {0, 1, 12}) {
    Document doc = MakeTable(10, 2, {2, 8});
    const Document before = doc;
    EXPECT_FALSE(InsertIndividualRow(doc, row)) << row;
    EXPECT_EQ(doc.Cells, before.Cells) << row;
  }
}

TEST(InsertRow, FullTableThrowsCapacity) {
  Document doc = MakeTable(kMaxIndividuals, 0, {});
  EXPECT_EQ(RowsRoom(doc), 0);
  try {
    InsertIndividualRow(doc, 5);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Capacity);
  }
  EXPECT_EQ(doc.Cells.RowCount(), kMaxIndividuals + 2);
}

TEST(DeleteRow, MarkersAndNames) {
  struct Case {
    const char* what;
    std::vector<int> startsBefore;
    int row;
    std::vector<int> starts;
    std::vector<std::string> names;
  } cases[] = {
      {"row 2 of a two-row pop 1", {2, 4, 7}, 2, {2, 3, 6}, {"A", "B", "C"}},
      {"start of pop 2 hands its marker on", {2, 4, 7}, 4, {2, 4, 6}, {"A", "B", "C"}},
      {"only row of pop 2", {2, 4, 5}, 4, {2, 4}, {"A", "C"}},
      {"only row of pop 1", {2, 3, 7}, 2, {2, 6}, {"B", "C"}},
      {"only row of the last pop", {2, 4, 11}, 11, {2, 4}, {"A", "B"}},
      {"last row of a longer last pop", {2, 4, 7}, 11, {2, 4, 7}, {"A", "B", "C"}},
      {"inside pop 1", {2, 4, 7}, 3, {2, 3, 6}, {"A", "B", "C"}},
  };
  for (const Case& c : cases) {
    Document doc = MakeTable(10, 2, c.startsBefore, {"A", "B", "C"});
    const std::vector<std::string> before = Order(doc);
    EXPECT_TRUE(DeleteIndividualRow(doc, c.row)) << c.what;
    EXPECT_EQ(doc.Cells.RowCount(), 11) << c.what;
    EXPECT_EQ(Starts(doc), c.starts) << c.what;
    EXPECT_EQ(Names(doc), c.names) << c.what;
    std::vector<std::string> expected = before;
    expected.erase(expected.begin() + (c.row - 2));
    EXPECT_EQ(Order(doc), expected) << c.what;
  }
}

TEST(DeleteRow, TheLastIndividualLeavesNoPopulation) {
  Document doc = MakeTable(1, 2, {2}, {"A"});
  EXPECT_TRUE(DeleteIndividualRow(doc, 2));
  EXPECT_EQ(doc.Cells.RowCount(), 2);
  EXPECT_EQ(doc.NbPops, 0);
  EXPECT_EQ(PopNameOf(doc, 1), "");
}

TEST(DeleteRow, RefusedOutsideTheIndividualRows) {
  for (int row : {0, 1, 12}) {
    Document doc = MakeTable(10, 2, {2, 8});
    EXPECT_FALSE(DeleteIndividualRow(doc, row)) << row;
    EXPECT_EQ(doc.Cells.RowCount(), 12) << row;
  }
}

TEST(DeleteColumn, RenumbersTheHeadingsAfterIt) {
  Document doc = MakeTable(2, 6, {2});
  EXPECT_TRUE(DeleteLocusColumn(doc, 3));
  EXPECT_EQ(doc.Cells.ColCount(), 7);
  EXPECT_THAT(Row(doc, 0), ElementsAre("Loc.1", "Loc.2", "Loc.3", "Loc.4", "Loc.5"));
  EXPECT_THAT(Row(doc, 1), ElementsAre("L1", "L3", "L4", "L5", "L6"));
  EXPECT_THAT(Row(doc, 2), ElementsAre("g1.1", "g3.1", "g4.1", "g5.1", "g6.1"));
  for (int col : {0, 1, 7}) EXPECT_FALSE(DeleteLocusColumn(doc, col)) << col;
  EXPECT_EQ(doc.Cells.ColCount(), 7);
}

TEST(AddRowsAndColumns, EmptyRowsInTheLastPopulationAndHeadedColumns) {
  Document doc = MakeTable(10, 5, {2, 8}, {"A", "B"});
  AddRowsAndColumns(doc, 2, 2);
  EXPECT_EQ(doc.Cells.RowCount(), 14);
  EXPECT_EQ(doc.Cells.ColCount(), 9);
  EXPECT_EQ(doc.Cells.Cells(0, 12), "      Ind11");
  EXPECT_EQ(doc.Cells.Cells(0, 13), "      Ind12");
  EXPECT_THAT(Row(doc, 13, 1), ElementsAre("", "", "", "", "", "", "", ""));
  EXPECT_THAT(Starts(doc), ElementsAre(2, 8));
  EXPECT_THAT(Row(doc, 0, 7), ElementsAre("Loc.6", "Loc.7"));
  EXPECT_THAT(Row(doc, 1, 7), ElementsAre("", ""));
  EXPECT_EQ(doc.PopLastRow(2), 13);
}

TEST(AddRowsAndColumns, RoomIsWhatTheSixteenBitCountsLeave) {
  Document doc = MakeTable(10, 5, {2});
  EXPECT_EQ(RowsRoom(doc), kMaxIndividuals - 10);
  EXPECT_EQ(ColumnsRoom(doc), kMaxLoci - 5);
  EXPECT_EQ(RowsRoom(Document{}), kMaxIndividuals);
  EXPECT_THROW(AddRowsAndColumns(doc, RowsRoom(doc) + 1, 0), Error);
  EXPECT_THROW(AddRowsAndColumns(doc, 0, ColumnsRoom(doc) + 1), Error);
  EXPECT_EQ(doc.Cells.RowCount(), 12);
  EXPECT_EQ(doc.Cells.ColCount(), 7);
  AddRowsAndColumns(doc, RowsRoom(doc), 0);
  EXPECT_EQ(doc.Cells.RowCount() - 2, kMaxIndividuals);
  EXPECT_EQ(doc.Cells.Cells(0, doc.Cells.RowCount() - 1), "      Ind65534");
}

}  // namespace
}  // namespace relakin
