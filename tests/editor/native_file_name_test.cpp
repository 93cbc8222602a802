// The file-name rules of Save As and the table changes of New and Open.
#include "core/native_file_name.h"

#include <gtest/gtest.h>

#include "core/new_table.h"

namespace relakin {
namespace {

TEST(ForceNativeExtensionTest, ReplacesTheExtensionOfTheFileNamePart) {
  struct Case {
    const char* name;
    const char* forced;
  };
  const Case cases[] = {
      {"pop.txt", "pop.bvt"},        {"pop", "pop.bvt"},           {"pop.", "pop.bvt"},
      {"pop.old.txt", "pop.oldbvt"}, {"/data/pop.txt", "pop.bvt"}, {"/da.ta/pop", "pop.bvt"},
      {"pop.bvt", "pop.bvt"},        {"/data/x.y.z", "x.ybvt"},
  };
  for (const Case& c : cases) EXPECT_EQ(ForceNativeExtension(c.name), c.forced) << c.name;
}

TEST(ForceNativeExtensionTest, DirectoryPartAndAbsolutePaths) {
  EXPECT_EQ(DirectoryPart("/data/pop.txt"), "/data/");
  EXPECT_EQ(DirectoryPart("pop.txt"), "");
  EXPECT_EQ(DirectoryPart("sub/pop"), "sub/");
  EXPECT_TRUE(IsAbsolutePath("/data/pop.bvt"));
  EXPECT_FALSE(IsAbsolutePath("pop.bvt"));
  EXPECT_FALSE(IsAbsolutePath("C:pop.bvt"));
  EXPECT_FALSE(IsAbsolutePath(""));
}

TEST(NewTableTest, ClearKeepsLabelsAndSize) {
  GenotypeTable t(4, 4);
  for (int c = 0; c < 4; ++c) {
    for (int r = 0; r < 4; ++r) t.SetCell(c, r, "x");
  }
  ClearTable(t);
  EXPECT_EQ(t.ColCount(), 4);
  EXPECT_EQ(t.RowCount(), 4);
  for (int r = 0; r < 4; ++r) {
    EXPECT_EQ(t.Cells(0, r), "x");
    for (int c = 1; c < 4; ++c) EXPECT_EQ(t.Cells(c, r), "");
  }
}

TEST(NewTableTest, OverAReadTableKeepsPopulationNameOne) {
  Document doc;
  doc.Cells.Resize(3, 40);
  doc.SetPopName(1, "North");
  doc.SetPopFirstRow(1, 2);
  doc.SetPopFirstRow(2, 20);
  doc.NbPops = 2;
  ClearTable(doc.Cells);
  MakeNewTable(doc, 10, 5);
  EXPECT_EQ(doc.Cells.RowCount(), 12);
  EXPECT_EQ(doc.Cells.ColCount(), 7);
  EXPECT_EQ(doc.NbPops, 1);
  EXPECT_EQ(doc.PopFirstRow[1], 2);
  EXPECT_EQ(doc.PopNames[1], "North");
  EXPECT_EQ(doc.Cells.Cells(0, 2), "Pop Ind1");
  EXPECT_EQ(doc.Cells.Cells(0, 11), "      Ind10");
  EXPECT_EQ(doc.Cells.Cells(6, 0), "Loc.5");
}

TEST(NewTableTest, AdoptKeepsTheDocumentsOwnState) {
  Document doc;
  doc.CurrentFileName = "/a.bvt";
  doc.RecordedPopCount = 3;
  doc.AnalysisFileReady = true;
  doc.PopFirstRow = {0, 2, 9, 14};
  Document read;
  read.Cells.Resize(3, 5);
  read.NbPops = 1;
  read.SetPopName(1, "P");
  read.SetPopFirstRow(1, 2);
  AdoptReadTable(doc, std::move(read));
  EXPECT_EQ(doc.Cells.RowCount(), 5);
  EXPECT_EQ(doc.NbPops, 1);
  EXPECT_EQ(doc.PopNames, std::vector<std::string>({"", "P"}));
  EXPECT_EQ(doc.PopFirstRow, std::vector<std::uint16_t>({0, 2, 9, 14}));
  EXPECT_EQ(doc.CurrentFileName, "/a.bvt");
  EXPECT_EQ(doc.RecordedPopCount, 3);
  EXPECT_TRUE(doc.AnalysisFileReady);
}

}  // namespace
}  // namespace relakin
