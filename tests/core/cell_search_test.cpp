// Matching a cell, the search order of Find up and down, and Replace / Replace All.
#include "core/cell_search.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace relakin {
namespace {

using ::testing::ElementsAre;
using ::testing::Optional;

TEST(FindInCell, MatchingRule) {
  struct Case {
    std::string cell;
    std::string text;
    bool matchCase;
    std::optional<std::size_t> pos;
  } cases[] = {
      {"xABy", "ab", false, 1},
      {"xABy", "ab", true, std::nullopt},
      {"xABy", "AB", true, 1},
      {"012012", "12", false, 1},
      {"\xC9T\xC9", "\xE9t\xE9", false, 0},                // accented capitals
      {"\x8C\x8A\x8E\x9F", "\x9C\x9A\x9E\xFF", false, 0},  // the code page's other pairs
      {"\xC9", "\xE9", true, std::nullopt},
      {"\xD7", "\xF7", false, std::nullopt},  // multiplication and division signs
      {"abc", "", false, std::nullopt},       // an empty text matches nothing
      {"", "", true, std::nullopt},
      {"ab", "abc", false, std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FindInCell(c.cell, c.text, c.matchCase), c.pos) << c.cell << " / " << c.text;
}

// Four columns (names and two loci after the labels) and five rows; the matches are "ab" cells.
GenotypeTable SearchTable() {
  GenotypeTable t(4, 5);
  for (int c = 0; c < 4; ++c)
    for (int r = 0; r < 5; ++r) t.SetCell(c, r, "-");
  t.SetCell(2, 0, "ab");  // a heading and a label are never found
  t.SetCell(0, 3, "ab");
  t.SetCell(3, 1, "AB");
  t.SetCell(1, 3, "xaby");
  t.SetCell(3, 3, "ab");
  return t;
}

TEST(FindNextCell, DirectionsAndLimits) {
  const GenotypeTable t = SearchTable();
  struct Case {
    CellPos from;
    SearchOptions options;
    std::optional<CellPos> found;
  } cases[] = {
      {{1, 1}, {true, false}, CellPos{3, 1}},
      {{1, 1}, {true, true}, CellPos{1, 3}},
      {{3, 1}, {true, false}, CellPos{1, 3}},  // the next row starts at column 1
      {{1, 3}, {true, false}, CellPos{3, 3}},
      {{3, 3}, {true, false}, std::nullopt},  // no wrap-around
      {{3, 4}, {true, false}, std::nullopt},  // from the last cell
      {{3, 3}, {false, false}, CellPos{1, 3}},
      {{1, 3}, {false, false}, CellPos{3, 1}},  // the previous row starts at the last column
      {{1, 3}, {false, true}, std::nullopt},
      {{1, 2}, {false, false}, CellPos{3, 1}},
      {{1, 4}, {false, true}, CellPos{3, 3}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindNextCell(t, "ab", c.from, c.options), c.found)
        << c.from.col << "," << c.from.row << (c.options.down ? " down" : " up")
        << (c.options.matchCase ? " case" : "");
  }
  EXPECT_EQ(FindNextCell(t, "", {1, 1}, {}), std::nullopt);
}

TEST(FindNextCell, UpFromTheFirstIndividualGoesToTheLastLocusName) {
  GenotypeTable t(4, 5);
  t.SetCell(3, 1, "x");
  t.SetCell(2, 1, "x");
  EXPECT_THAT(FindNextCell(t, "x", {1, 2}, {false, false}), Optional(CellPos{3, 1}));
}

TEST(ReplaceAt, ChangesTheLengthAsNeeded) {
  EXPECT_EQ(ReplaceAt("012012", 1, 2, "120"), "0120012");
  EXPECT_EQ(ReplaceAt("012012", 1, 2, ""), "0012");
  EXPECT_EQ(ReplaceAt("abc", 0, 3, "z"), "z");
  EXPECT_EQ(ReplaceAt("abc", 3, 0, "d"), "abcd");
}

// Column 2 of rows 2 .. 5 holds 012012; the current cell is (1, 2).
GenotypeTable ReplaceTable() {
  GenotypeTable t(4, 6);
  for (int r = 2; r < 6; ++r) t.SetCell(2, r, "012012");
  return t;
}

std::vector<std::string> Column2(const GenotypeTable& t) {
  std::vector<std::string> cells;
  for (int r = 2; r < t.RowCount(); ++r) cells.push_back(t.Cells(2, r));
  return cells;
}

TEST(ReplaceCells, ReplaceAllChangesEachFollowingCellOnce) {
  GenotypeTable t = ReplaceTable();
  const ReplaceOutcome out = ReplaceCells(t, {"12", "120", {}, true}, {1, 2});
  EXPECT_THAT(Column2(t), ElementsAre("0120012", "0120012", "0120012", "0120012"));
  EXPECT_EQ(out.replaced, 4);
  EXPECT_EQ(out.changed, (CellBlock{2, 2, 2, 5}));
  EXPECT_EQ(out.current, (CellPos{2, 5}));  // the last cell changed
  EXPECT_FALSE(out.found);

  // From the third cell on, the cells before stay as they were; shorter replacement.
  GenotypeTable u = ReplaceTable();
  ReplaceCells(u, {"012", "9", {}, true}, {2, 4});
  EXPECT_THAT(Column2(u), ElementsAre("012012", "012012", "9012", "9012"));
}

TEST(ReplaceCells, ReplaceChangesTheCurrentCellAndMovesToTheNextMatch) {
  GenotypeTable t = ReplaceTable();
  ReplaceOutcome out = ReplaceCells(t, {"12", "120", {}, false}, {1, 2});
  EXPECT_EQ(out.replaced, 0);  // the current cell did not match
  EXPECT_EQ(out.current, (CellPos{2, 2}));
  EXPECT_TRUE(out.found);

  out = ReplaceCells(t, {"12", "120", {}, false}, out.current);
  EXPECT_THAT(Column2(t), ElementsAre("0120012", "012012", "012012", "012012"));
  EXPECT_EQ(out.replaced, 1);
  EXPECT_EQ(out.changed, CellBlock::Cell(2, 2));
  EXPECT_EQ(out.current, (CellPos{2, 3}));

  out = ReplaceCells(t, {"12", "120", {}, false}, {2, 5});
  EXPECT_EQ(t.Cells(2, 5), "0120012");
  EXPECT_FALSE(out.found);
  EXPECT_EQ(out.current, (CellPos{2, 5}));
}

TEST(ReplaceCells, MatchCaseAndEmptyText) {
  GenotypeTable t(3, 4);
  t.SetCell(1, 2, "Pop");
  t.SetCell(2, 3, "pop");
  ReplaceCells(t, {"pop", "X", {true, true}, true}, {1, 1});
  EXPECT_EQ(t.Cells(1, 2), "Pop");
  EXPECT_EQ(t.Cells(2, 3), "X");

  // An empty find text would match every cell: nothing is written.
  const ReplaceOutcome out = ReplaceCells(t, {"", "Z", {}, true}, {1, 2});
  EXPECT_EQ(out.replaced, 0);
  EXPECT_EQ(t.Cells(1, 2), "Pop");
  EXPECT_EQ(t.Cells(1, 3), "");
}

TEST(ReplaceCells, ReplacementHoldingTheFindTextDoesNotLoop) {
  GenotypeTable t = ReplaceTable();
  const ReplaceOutcome out = ReplaceCells(t, {"0", "00", {}, true}, {2, 2});
  EXPECT_THAT(Column2(t), ElementsAre("0012012", "0012012", "0012012", "0012012"));
  EXPECT_EQ(out.replaced, 4);
}

}  // namespace
}  // namespace relakin
