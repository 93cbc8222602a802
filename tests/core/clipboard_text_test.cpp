// The clipboard text of a block of cells, its size count and limit, Delete, and Paste at the
// table's edges.
#include "core/clipboard_text.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/errors.h"

namespace relakin {
namespace {

using ::testing::Optional;

// Five columns and four rows (two individuals, three loci), every cell ".".
GenotypeTable DotTable() {
  GenotypeTable t(5, 4);
  for (int c = 0; c < 5; ++c)
    for (int r = 0; r < 4; ++r) t.SetCell(c, r, ".");
  return t;
}

TEST(CopyText, BlocksAndSingleCells) {
  GenotypeTable t = DotTable();
  t.SetCell(2, 2, "a");
  t.SetCell(3, 2, "b");
  t.SetCell(2, 3, "c");
  t.SetCell(3, 3, "d");
  EXPECT_EQ(CopyText(t, {2, 2, 3, 3}), "a\tb\r\nc\td\r\n");
  EXPECT_EQ(CopySizeCount(t, {2, 2, 3, 3}), 14u);  // 1 + 4 x 3 + 1, for 10 bytes and the NUL
  EXPECT_EQ(CopyText(t, CellBlock::Cell(2, 2)), "a\r\n");
  EXPECT_EQ(CopyText(t, {1, 2, 1, 3}), ".\r\n.\r\n");  // one column: no TAB
  EXPECT_EQ(CopyText(t, {1, 3, 4, 3}), ".\tc\td\t.\r\n");

  const std::string long300(300, 'x');
  t.SetCell(3, 3, long300);
  EXPECT_EQ(CopyText(t, {2, 2, 3, 3}), "a\tb\r\nc\t" + long300 + "\r\n");
}

TEST(CopyText, SizeLimitAppliesToBlocksOnly) {
  GenotypeTable t = DotTable();
  // Two cells of one column: count = 1 + (n + 2) + (1 + 2) + 0.
  const std::size_t atLimit = 65535 - 6;
  t.SetCell(2, 2, std::string(atLimit, 'x'));
  EXPECT_EQ(CopySizeCount(t, {2, 2, 2, 3}), 65535u);
  EXPECT_EQ(CopyText(t, {2, 2, 2, 3}).size(), atLimit + 5);

  t.SetCell(2, 2, std::string(atLimit + 1, 'x'));
  EXPECT_EQ(CopySizeCount(t, {2, 2, 2, 3}), 65536u);
  try {
    CopyText(t, {2, 2, 2, 3});
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Capacity);
  }
  // A single cell is copied whole whatever its length.
  EXPECT_EQ(CopyText(t, CellBlock::Cell(2, 2)).size(), atLimit + 3);
}

TEST(BlankCells, EveryCellOfTheBlockBecomesOneBlank) {
  GenotypeTable t = DotTable();
  BlankCells(t, {1, 1, 2, 2});
  for (int c = 0; c < 5; ++c) {
    for (int r = 0; r < 4; ++r) {
      const bool inside = c >= 1 && c <= 2 && r >= 1 && r <= 2;
      EXPECT_EQ(t.Cells(c, r), inside ? " " : ".") << c << "," << r;
    }
  }
}

struct Stored {
  int col;
  int row;
  std::string text;
};

TEST(PasteText, RowEndsSeparatorsAndEdges) {
  // The 2 x 2 block a b / c d at (2, 2).
  const std::vector<Stored> abcd = {{2, 2, "a"}, {3, 2, "b"}, {2, 3, "c"}, {3, 3, "d"}};
  const CellBlock abcdBlock{2, 2, 3, 3};
  struct Case {
    const char* name;
    std::string text;
    int col;
    int row;
    std::vector<Stored> stored;
    std::optional<CellBlock> written;
  } cases[] = {
      // clang-format off
      {"one copied cell", "x\r\n", 2, 2, {{2, 2, "x"}}, CellBlock::Cell(2, 2)},
      {"CR LF rows", "a\tb\r\nc\td\r\n", 2, 2, abcd, abcdBlock},
      {"LF rows", "a\tb\nc\td\n", 2, 2, abcd, abcdBlock},
      {"CR rows", "a\tb\rc\td\r", 2, 2, abcd, abcdBlock},
      {"last field without separator", "a\tb\r\nc\td", 2, 2, abcd, abcdBlock},
      {"bare text in a locus name", "x", 4, 1, {{4, 1, "x"}}, CellBlock::Cell(4, 1)},
      {"empty cells kept", "a\t\tb\r\n", 1, 2, {{1, 2, "a"}, {2, 2, ""}, {3, 2, "b"}},
       CellBlock{1, 2, 3, 2}},
      {"TAB at the end", "a\t", 3, 2, {{3, 2, "a"}}, CellBlock::Cell(3, 2)},
      {"three columns at the last but one", "a\tb\tc\r\nd\te\tf\r\n", 3, 2,
       {{3, 2, "a"}, {4, 2, "b"}}, CellBlock{3, 2, 4, 2}},
      {"two rows at the last row", "a\r\nb\r\n", 2, 3, {{2, 3, "a"}}, CellBlock::Cell(2, 3)},
      {"from the last cell", "a\tb\r\nc\r\n", 4, 3, {{4, 3, "a"}}, CellBlock::Cell(4, 3)},
      {"empty text", "", 2, 2, {}, std::nullopt},
      {"start outside", "a", 5, 2, {}, std::nullopt},
      // clang-format on
  };
  for (const Case& c : cases) {
    GenotypeTable t = DotTable();
    GenotypeTable expected = DotTable();
    for (const Stored& s : c.stored) expected.SetCell(s.col, s.row, s.text);
    EXPECT_EQ(PasteText(t, c.col, c.row, c.text), c.written) << c.name;
    EXPECT_EQ(t, expected) << c.name;
  }
}

TEST(PasteText, CopiedBlockPastesBackWhole) {
  GenotypeTable source = DotTable();
  source.SetCell(2, 2, "012034");
  source.SetCell(3, 2, " ");
  source.SetCell(2, 3, "");
  source.SetCell(3, 3, "\xE9t\xE9");
  const std::string text = CopyText(source, {2, 2, 3, 3});
  GenotypeTable target = DotTable();
  EXPECT_THAT(PasteText(target, 3, 2, text), Optional(CellBlock{3, 2, 4, 3}));
  for (int dc = 0; dc < 2; ++dc)
    for (int dr = 0; dr < 2; ++dr)
      EXPECT_EQ(target.Cells(3 + dc, 2 + dr), source.Cells(2 + dc, 2 + dr));
}

}  // namespace
}  // namespace relakin
