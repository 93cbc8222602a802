// Column and row drags with their fix-ups.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "core/grid_moves.h"
#include "editing_fixture.h"

namespace relakin {
namespace {

using testing::Column;
using ::testing::ElementsAreArray;
using testing::MakeTable;
using testing::Row;
using testing::Starts;

std::vector<std::string> Prefixed(const std::string& prefix, const std::vector<int>& numbers,
                                  const std::string& suffix = {}) {
  std::vector<std::string> texts;
  for (int n : numbers) texts.push_back(prefix + std::to_string(n) + suffix);
  return texts;
}

TEST(MoveColumn, NamesStayInColumnOneAndHeadingsFollowPositions) {
  struct Case {
    const char* what;
    int from, to;
    std::vector<int> lociByColumn;  // original locus number now in columns 2 .. 7
  } cases[] = {
      {"locus 5 onto column 2", 5, 2, {4, 1, 2, 3, 5, 6}},
      {"locus to the right", 2, 5, {2, 3, 4, 1, 5, 6}},
      {"name column onto column 4", 1, 4, {2, 3, 1, 4, 5, 6}},
      {"locus 4 onto the name column", 4, 1, {3, 1, 2, 4, 5, 6}},
      {"locus onto itself", 3, 3, {1, 2, 3, 4, 5, 6}},
  };
  for (const Case& c : cases) {
    Document doc = MakeTable(3, 6, {2});
    MoveColumnAndFix(doc, c.from, c.to);
    EXPECT_EQ(Row(doc, 0), Prefixed("Loc.", {1, 2, 3, 4, 5, 6})) << c.what;
    EXPECT_EQ(doc.Cells.Cells(1, 0), "") << c.what;
    EXPECT_EQ(Row(doc, 1), Prefixed("L", c.lociByColumn)) << c.what;
    EXPECT_EQ(Row(doc, 3), Prefixed("g", c.lociByColumn, ".2")) << c.what;
    EXPECT_EQ(Column(doc, 1), Prefixed("i", {1, 2, 3})) << c.what;
  }
}

TEST(MoveColumn, HeadingsOutsideTheMovedRangeAreLeftAlone) {
  Document doc = MakeTable(2, 5, {2});
  for (int c = 2; c < 7; ++c) doc.Cells.SetCell(c, 0, "locus" + std::to_string(c - 1));
  MoveColumnAndFix(doc, 3, 4);
  EXPECT_EQ(Row(doc, 0),
            (std::vector<std::string>{"locus1", "Loc.2", "Loc.3", "locus4", "locus5"}));
}

TEST(MoveRow, PopulationStartsStayAndMovedIndividualsJoinWhereTheyLand) {
  struct Case {
    const char* what;
    int from, to;
    std::vector<int> order;  // individual now on rows 2 .. 13
    std::vector<int> starts;
  } cases[] = {
      {"first of pop 2 up to row 4", 8, 4, {1, 2, 7, 3, 4, 5, 6, 8, 9, 10, 11, 12}, {2, 8}},
      {"individual dropped on row 1", 6, 1, {5, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12}, {2, 8}},
      {"individual dropped on row 2", 6, 2, {5, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12}, {2, 8}},
      {"first of pop 2 onto row 2", 8, 2, {7, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12}, {2, 8}},
      {"first of pop 1 down to row 5", 2, 5, {2, 3, 4, 1, 5, 6, 7, 8, 9, 10, 11, 12}, {2, 8}},
      {"locus-name row onto row 2", 1, 2, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, {2, 8}},
      {"locus-name row onto row 6", 1, 6, {2, 3, 4, 5, 1, 6, 7, 8, 9, 10, 11, 12}, {2, 8}},
      {"row 2 onto the locus-name row", 2, 1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, {2, 8}},
      // The marker travels with its individual when another one leaves the population.
      {"inner individual down into pop 2", 4, 10, {1, 2, 4, 5, 6, 7, 8, 9, 3, 10, 11, 12}, {2, 7}},
  };
  for (const Case& c : cases) {
    Document doc = MakeTable(12, 2, {2, 8});
    MoveRowAndFix(doc, c.from, c.to);
    EXPECT_EQ(Row(doc, 1), Prefixed("L", {1, 2})) << c.what;
    EXPECT_EQ(Column(doc, 1), Prefixed("i", c.order)) << c.what;
    EXPECT_EQ(Column(doc, 3), Prefixed("g2.", c.order)) << c.what;
    EXPECT_EQ(Starts(doc), c.starts) << c.what;
    EXPECT_EQ(doc.Cells.Cells(0, 1), "") << c.what;
    for (int r = 2; r < doc.Cells.RowCount(); ++r) {
      const bool start = std::find(c.starts.begin(), c.starts.end(), r) != c.starts.end();
      EXPECT_EQ(doc.Cells.Cells(0, r), start ? PopStartLabel(r) : IndividualLabel(r)) << c.what;
    }
  }
}

}  // namespace
}  // namespace relakin
