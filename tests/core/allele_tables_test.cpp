#include "core/allele_tables.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "core/errors.h"
#include "table_builder.h"

namespace relakin {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using Words = std::vector<std::uint16_t>;

// Runs the writers' survey in their order over the whole table.
AlleleTables Survey(Document& doc, Messages& messages) {
  AlleleTables t;
  t.AllocAlleleTables(doc);
  t.ResetAlleleTables();
  t.CollectLocusNames(doc, messages);
  for (int r = 2; r < doc.Cells.RowCount(); ++r) t.CollectRowAlleles(doc.Cells, r);
  t.SortAlleleLists();
  return t;
}

TEST(AlleleTables, EmptyColumnBetweenUsedOnesIsSkippedAndAllelesStayUnderTheirGridLocus) {
  Document doc =
      test::MakeDoc({"A", "B", "C"},
                    {{"P", {{"i1", {"101105", "", "302302"}}, {"i2", {"101101", "", "300302"}}}}});
  RecordedMessages said;
  AlleleTables t = Survey(doc, said);
  EXPECT_EQ(t.NbLocUsed, 2);
  EXPECT_THAT(t.LocusUsed, ElementsAre(false, true, false, true, false));
  EXPECT_THAT(doc.LocusColumnMap, ElementsAre(0, 1, 3));
  EXPECT_THAT(t.OutLocusNames, ElementsAre("", "A", "C"));
  EXPECT_THAT(t.Alleles(1), ElementsAre(101, 105));
  EXPECT_THAT(t.Alleles(2), IsEmpty());
  EXPECT_THAT(t.Alleles(3), ElementsAre(300, 302));
  EXPECT_THAT(said.texts, IsEmpty());
}

TEST(AlleleTables, OnlyCompleteGenotypesContributeEachAlleleOnce) {
  const struct {
    std::vector<std::string> cells;  // one locus, one row each
    Words alleles;                   // in order of first appearance
  } cases[] = {
      {{"101000"}, {}},
      {{"000105"}, {}},
      {{"105105"}, {105}},
      {{"110102", "110110", "105110"}, {110, 102, 105}},
      {{"", " ", "000000"}, {}},  // used locus, every cell missing
  };
  for (const auto& c : cases) {
    std::vector<test::IndRow> rows;
    for (const auto& cell : c.cells) rows.push_back({"x", {cell}});
    Document doc = test::MakeDoc({"A"}, {{"P", rows}});
    AlleleTables t;
    t.AllocAlleleTables(doc);
    t.ResetAlleleTables();
    for (int r = 2; r < doc.Cells.RowCount(); ++r) t.CollectRowAlleles(doc.Cells, r);
    EXPECT_EQ(t.Alleles(1), c.alleles) << c.cells[0];
    EXPECT_EQ(t.AlleleCount[1], c.alleles.size());
  }
}

TEST(AlleleTables, AllelesMetOutOfOrderAreSortedAscending) {
  AlleleTables t;
  Document doc = test::MakeDoc({"A"}, {{"P", {{"x", {"110110"}}}}});
  t.AllocAlleleTables(doc);
  t.ResetAlleleTables();
  for (std::uint16_t a : {110, 102, 110, 105}) t.AddAllele(a, 1);
  EXPECT_EQ(t.AlleleCount[1], 3);
  EXPECT_THAT(t.Alleles(1), ElementsAre(110, 102, 105));
  t.SortAlleleLists();
  EXPECT_THAT(t.Alleles(1), ElementsAre(102, 105, 110));
  t.ResetAlleleTables();
  EXPECT_EQ(t.AlleleCount[1], 0);
  EXPECT_THAT(t.Alleles(1), IsEmpty());
}

TEST(AlleleTables, BlankLocusNameIsSaidWithItsGridLocusNumberEachSurvey) {
  // Grid loci 1 and 2 hold no data, so the unnamed grid locus 3 is the first written locus;
  // grid locus 1 is unnamed too but unused: no message for it.
  Document doc =
      test::MakeDoc({"", "B", "  ", " Adh "}, {{"P", {{"x", {"", "", "101101", "202202"}}}}});
  RecordedMessages said;
  AlleleTables t = Survey(doc, said);
  EXPECT_THAT(doc.LocusColumnMap, ElementsAre(0, 3, 4));
  EXPECT_THAT(t.OutLocusNames, ElementsAre("", "Locus 3", " Adh "));
  EXPECT_THAT(said.texts, ElementsAre("Nom du 3 ° Locus manquant !"));
  t.CollectLocusNames(doc, said);
  EXPECT_EQ(said.texts.size(), 2u);
}

TEST(AlleleTables, TableWithoutDataHasNoWrittenLocus) {
  Document doc = test::MakeDoc({"A", "B"}, {{"P", {{"named", {"", "  "}}}}});
  doc.LocusColumnMap = {0, 1, 2};  // left by an earlier survey
  RecordedMessages said;
  AlleleTables t = Survey(doc, said);
  EXPECT_EQ(t.NbLocUsed, 0);
  EXPECT_THAT(doc.LocusColumnMap, ElementsAre(0));
  EXPECT_THAT(t.OutLocusNames, ElementsAre(""));
  EXPECT_THAT(said.texts, IsEmpty());
}

TEST(AlleleTables, RecordedFiguresKeepTheLastSurvey) {
  Document doc = test::MakeDoc(
      {"A", "B", "C"}, {{"P", {{"a", {"101101"}}, {"b", {}}}}, {"Q", {{"c", {"", "", "202202"}}}}});
  EXPECT_EQ(doc.RecordedLastRow, 0);
  EXPECT_EQ(doc.RecordedLocusCount, 0);
  EXPECT_EQ(doc.RecordedPopCount, 0);
  AlleleTables t;
  t.AllocAlleleTables(doc);
  EXPECT_EQ(doc.RecordedLastRow, 4);
  EXPECT_EQ(doc.RecordedLocusCount, 2);
  EXPECT_EQ(doc.RecordedPopCount, 2);
  EXPECT_EQ(t.SampleSize.size(), 3u);
  EXPECT_EQ(t.PopMeanAlleles.size(), 3u);
  EXPECT_EQ(t.AlleleCount.size(), 4u);
  doc.Cells.SetRowCount(10);
  doc.NbPops = 1;
  EXPECT_EQ(doc.RecordedLastRow, 4);
  EXPECT_EQ(doc.RecordedPopCount, 2);
}

TEST(AlleleTables, ChosenLociReplaceTheUsedOnes) {
  Document doc = test::MakeDoc({"A", "B", "C"}, {{"P", {{"a", {"101101", "", "303303"}}}}});
  AlleleTables t;
  t.AllocAlleleTables(doc);
  t.SetUsedLoci({false, false, true, true, true});  // slot 4 is past the last locus
  EXPECT_THAT(t.LocusUsed, ElementsAre(false, false, true, true, false));
  EXPECT_EQ(t.NbLocUsed, 2);
  t.SetUsedLoci({false, true});  // shorter choice: the rest not chosen
  EXPECT_THAT(t.LocusUsed, ElementsAre(false, true, false, false, false));
  EXPECT_EQ(t.NbLocUsed, 1);
}

TEST(AlleleTables, BadCellStopsTheCollectionNamingIt) {
  Document doc = test::MakeDoc({"A", "B"}, {{"P", {{"a", {"101101", "10x101"}}}}});
  AlleleTables t;
  t.AllocAlleleTables(doc);
  t.ResetAlleleTables();
  try {
    t.CollectRowAlleles(doc.Cells, 2);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Conversion);
    EXPECT_NE(std::string(e.what()).find("10x101"), std::string::npos);
  }
}

TEST(AlleleTables, MoreThan65535UsedLociIsACapacityError) {
  GenotypeTable cells(65538, 3);
  for (int c = 2; c < cells.ColCount(); ++c) cells.SetCell(c, 2, "101101");
  AlleleTables t;
  try {
    t.MarkUsedLoci(cells);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.kind(), ErrorKind::Capacity);
  }
  cells.SetCell(65537, 2, "");
  t.MarkUsedLoci(cells);
  EXPECT_EQ(t.NbLocUsed, 65535);
}

TEST(QuickSortWords, SortsTheRangeOnly) {
  const struct {
    Words in;
    std::int32_t L, R;
    Words out;
  } cases[] = {
      {{9, 3, 1, 2}, 1, 0, {9, 3, 1, 2}},  // empty range
      {{9, 3, 1, 2}, 2, 2, {9, 3, 1, 2}},
      {{0, 110, 102, 105}, 1, 3, {0, 102, 105, 110}},
      {{7, 5, 4, 3, 2, 1, 7}, 1, 5, {7, 1, 2, 3, 4, 5, 7}},
      {{0, 2, 2, 1, 2, 1}, 1, 5, {0, 1, 1, 2, 2, 2}},
      {{0, 1, 2, 3, 4}, 1, 4, {0, 1, 2, 3, 4}},
      {{5, 4, 3, 2, 1}, 0, 4, {1, 2, 3, 4, 5}},
  };
  for (const auto& c : cases) {
    Words list = c.in;
    QuickSortWords(list, c.L, c.R);
    EXPECT_EQ(list, c.out) << c.L << ".." << c.R;
  }
  Words big(1000);
  std::uint32_t seed = 7;
  for (auto& w : big) w = static_cast<std::uint16_t>((seed = seed * 134775813u + 1) >> 22);
  Words expected = big;
  std::sort(expected.begin() + 1, expected.end());
  QuickSortWords(big, 1, 999);
  EXPECT_EQ(big, expected);
}

}  // namespace
}  // namespace relakin
