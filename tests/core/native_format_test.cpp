#include "core/native_format.h"

#include <gtest/gtest.h>

#include "table_builder.h"

namespace relakin {
namespace {

TEST(FileNameForHeader, ControlCharactersBecomeBlanksOthersAreConverted) {
  EXPECT_EQ(FileNameForHeader("Untitled"), "Untitled");
  EXPECT_EQ(FileNameForHeader("/a/b\r\nc\td\x7f.bvt"), "/a/b  c d .bvt");
  EXPECT_EQ(FileNameForHeader("/donn\xc3\xa9"
                              "es/\xce\xa9.bvt"),
            "/donn\xe9"
            "es/?.bvt");
}

TEST(NameField, CutsToTenAndRightJustifies) {
  EXPECT_EQ(NameField(""), "          ");
  EXPECT_EQ(NameField("Abc"), "       Abc");
  EXPECT_EQ(NameField("Abcdefghij"), "Abcdefghij");
  EXPECT_EQ(NameField("Abcdefghijkl"), "Abcdefghij");
  EXPECT_EQ(NameField("  x  "), "       x  ");
}

TEST(PopRows, RunsFromTheFirstRowToTheNextPopulationsOrTheLastRow) {
  Document doc = test::MakeDoc({"A"}, {{"P", {{"a", {}}, {"b", {}}}}, {"Q", {{"c", {}}}}});
  const struct {
    std::size_t p;
    int first, last;
  } cases[] = {{1, 2, 3}, {2, 4, 4}};
  for (const auto& c : cases) {
    const RowRange r = PopRows(doc, c.p);
    EXPECT_EQ(r.first, c.first) << c.p;
    EXPECT_EQ(r.last, c.last) << c.p;
  }
  // Stale entries never reach the heading rows nor past the grid.
  doc.PopFirstRow[1] = 0;
  doc.PopFirstRow[2] = 9;
  EXPECT_EQ(PopRows(doc, 1).first, 2);
  EXPECT_EQ(PopRows(doc, 1).last, 4);
  EXPECT_GT(PopRows(doc, 2).first, PopRows(doc, 2).last);
  EXPECT_GT(PopRows(doc, 3).first, PopRows(doc, 3).last);  // no entry at all
}

}  // namespace
}  // namespace relakin
