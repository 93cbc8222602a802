// The figures a save computes about the table it writes.
#include "core/data_description.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/native_file.h"
#include "table_builder.h"

namespace relakin {
namespace {

using test::MakeDoc;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

DataDescription Describe(Document& doc) {
  SilentMessages quiet;
  DataDescription d;
  NativeFileText(doc, quiet, &d);
  return d;
}

TEST(DataDescription, TwoPopulationsOfThreeAndTwo) {
  Document doc = MakeDoc({"A", "B"}, {{"North",
                                       {{"a", {"101101", "301301"}},
                                        {"", {}},  // not a data row
                                        {"b", {"101102", "301301"}},
                                        {"c", {"", "000000"}}}},
                                      {"South", {{"d", {"103103", "302302"}}, {"e", {}}}}});
  const DataDescription d = Describe(doc);
  EXPECT_THAT(d.SampleSize, ElementsAre(0, 3, 2));
  EXPECT_THAT(d.PopMeanAlleles, ElementsAre(0.0f, 1.5f, 1.0f));
  ASSERT_EQ(d.PopLocusAlleleCount.size(), 3u);
  EXPECT_THAT(d.PopLocusAlleleCount[1], ElementsAre(0, 2, 1));
  EXPECT_THAT(d.PopLocusAlleleCount[2], ElementsAre(0, 1, 1));
  EXPECT_THAT(d.OutLocusNames, ElementsAre("", "A", "B"));
  EXPECT_THAT(d.PopNames, ElementsAre("", "North", "South"));
  ASSERT_EQ(d.LocusAlleles.size(), 3u);
  EXPECT_THAT(d.LocusAlleles[1], ElementsAre(101, 102, 103));
  EXPECT_THAT(d.LocusAlleles[2], ElementsAre(301, 302));
}

TEST(DataDescription, MeanCountsALocusWithoutCompleteGenotypeAsZero) {
  Document doc =
      MakeDoc({"A", "B"},
              {{"P", {{"a", {"101102", "101000"}}, {"b", {"103104", ""}}, {"c", {"", "202202"}}}},
               {"Q", {{"d", {"", "202202"}}}}});
  const DataDescription d = Describe(doc);
  // P: 4 alleles at A, 1 at B; Q: 0 at A, 1 at B.
  EXPECT_THAT(d.PopMeanAlleles, ElementsAre(0.0f, 2.5f, 0.5f));
  Document one = MakeDoc({"A", "B"}, {{"P", {{"a", {"101102", "101000"}}, {"b", {"103104"}}}},
                                      {"Q", {{"c", {"", "202202"}}}}});
  EXPECT_EQ(Describe(one).PopMeanAlleles[1], 2.0f);
}

TEST(DataDescription, EmptyPopulationKeepsItsPlaceWithZeros) {
  Document doc = MakeDoc({"A"}, {{"P", {{"a", {"101101"}}}}, {"Empty", {{"", {}}, {"", {}}}}});
  const DataDescription d = Describe(doc);
  EXPECT_THAT(d.SampleSize, ElementsAre(0, 1, 0));
  EXPECT_THAT(d.PopMeanAlleles, ElementsAre(0.0f, 1.0f, 0.0f));
  EXPECT_THAT(d.PopLocusAlleleCount[2], ElementsAre(0, 0));
  EXPECT_THAT(d.PopNames, ElementsAre("", "P", "Empty"));
}

TEST(DataDescription, NoUsedLocusGivesMeanZero) {
  Document doc = MakeDoc({"A"}, {{"P", {{"a", {}}, {"b", {}}}}});
  const DataDescription d = Describe(doc);
  EXPECT_THAT(d.SampleSize, ElementsAre(0, 2));
  EXPECT_THAT(d.PopMeanAlleles, ElementsAre(0.0f, 0.0f));
  EXPECT_THAT(d.OutLocusNames, ElementsAre(""));
  EXPECT_THAT(d.LocusAlleles, ElementsAre(IsEmpty()));
}

TEST(DataDescription, AllMissingLocusShowsCountZeroAndNoAllele) {
  Document doc = MakeDoc({"A", "B"}, {{"P", {{"a", {"101000", "202202"}}, {"b", {"000000"}}}}});
  const DataDescription d = Describe(doc);
  EXPECT_THAT(d.LocusAlleles[1], IsEmpty());
  EXPECT_THAT(d.LocusAlleles[2], ElementsAre(202));
}

TEST(DataDescription, SavingTwiceGivesTheSameFiguresAndNothingLeftOver) {
  Document doc = MakeDoc({"A"}, {{"P", {{"a", {"101102"}}}}, {"Q", {{"b", {"103103"}}}}});
  const DataDescription first = Describe(doc);
  const DataDescription second = Describe(doc);
  EXPECT_EQ(first.LocusAlleles, second.LocusAlleles);
  EXPECT_EQ(first.PopLocusAlleleCount, second.PopLocusAlleleCount);
  EXPECT_EQ(first.PopMeanAlleles, second.PopMeanAlleles);
  doc.Cells.SetCell(2, 2, "");  // the first population loses its alleles
  const DataDescription third = Describe(doc);
  EXPECT_THAT(third.LocusAlleles[1], ElementsAre(103));
  EXPECT_THAT(third.SampleSize, ElementsAre(0, 1, 1));
  EXPECT_THAT(third.PopMeanAlleles, ElementsAre(0.0f, 0.0f, 1.0f));
}

TEST(DataDescription, MeanIsSinglePrecisionSumOverLociThenDivided) {
  // Three loci with 1, 1 and 2 alleles: 4 / 3 in single precision.
  Document doc = MakeDoc({"A", "B", "C"}, {{"P", {{"a", {"101101", "202202", "301302"}}}}});
  EXPECT_EQ(Describe(doc).PopMeanAlleles[1], 4.0f / 3.0f);
}

}  // namespace
}  // namespace relakin
