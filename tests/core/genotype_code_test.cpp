#include "core/genotype_code.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/errors.h"
#include "table_builder.h"

namespace relakin {
namespace {

TEST(PadAllele3, PadsToThreeDigitsAndKeepsLongerNumbers) {
  const struct {
    std::uint16_t n;
    const char* text;
  } cases[] = {{0, "000"},   {7, "007"},     {42, "042"},     {99, "099"},
               {105, "105"}, {1000, "1000"}, {65535, "65535"}};
  for (const auto& c : cases) EXPECT_EQ(PadAllele3(c.n), c.text) << c.n;
}

TEST(MakeGenotypeCode, PutsSmallerAlleleFirstUnlessOneIsMissing) {
  const struct {
    std::uint16_t a1, a2;
    const char* code;
  } cases[] = {{105, 101, "101105"}, {101, 105, "101105"}, {7, 7, "007007"},    {0, 7, "000007"},
               {12, 0, "012000"},    {0, 0, "000000"},     {1000, 5, "0051000"}};
  for (const auto& c : cases)
    EXPECT_EQ(MakeGenotypeCode(c.a1, c.a2), c.code) << c.a1 << "," << c.a2;
}

TEST(NormalizeGenotype, TurnsCellsIntoWrittenCodes) {
  const struct {
    const char* cell;
    const char* code;
  } cases[] = {
      {"", "000000"},       {" ", "000000"},        {"101000", "000000"},  {"000105", "000000"},
      {"000000", "000000"}, {" 12 345 ", "120345"}, {"105101", "105101"},  {"101105", "101105"},
      {"      ", "000000"}, {"0 7 07", "007007"},   {"101105 ", "101105"}, {"  101105", "101105"},
  };
  for (const auto& c : cases) EXPECT_EQ(NormalizeGenotype(c.cell), c.code) << '"' << c.cell << '"';
}

// Six characters that are not digits, and any other length once trimmed: a typing the file
// cannot carry stops the writer instead of being written as missing.
TEST(NormalizeGenotype, CellsThatCannotBeWrittenStopWithTheCellNamed) {
  for (const char* cell : {"12a456", "-12345", "+12345", "12\t345", "1.2345", "12345", "1234567",
                           "  101  ", "  7  7", "abc", "0051000", "\t"}) {
    try {
      NormalizeGenotype(cell, 3, 5);
      ADD_FAILURE() << cell;
    } catch (const Error& e) {
      std::string shown(cell);  // a TAB is named in the message
      if (const std::size_t tab = shown.find('\t'); tab != std::string::npos)
        shown.replace(tab, 1, "[TAB]");
      EXPECT_EQ(e.kind(), ErrorKind::Conversion);
      EXPECT_EQ(e.what(), "« " + shown + " » n'est pas un génotype valide (locus 2, individu 4).");
    }
  }
}

TEST(GenotypeAlleles, SplitsANormalisedCode) {
  const AllelePair a = GenotypeAlleles("105101");
  EXPECT_EQ(a.a1, 105);
  EXPECT_EQ(a.a2, 101);
}

TEST(IsBlankText, OnlyTheBlankCharacterIsBlank) {
  EXPECT_TRUE(IsBlankText(""));
  EXPECT_TRUE(IsBlankText("   "));
  EXPECT_FALSE(IsBlankText(" a"));
  EXPECT_FALSE(IsBlankText("\t"));
}

TEST(RowHasData, LooksAtTheNameAndLocusColumnsOnly) {
  Document doc = test::MakeDoc(
      {"A", "B"}, {{"P", {{"Ind01", {}}, {"", {"", "101101"}}, {"", {}}, {"  ", {"   ", ""}}}}});
  EXPECT_TRUE(RowHasData(doc, 2));   // a name alone: all genotypes missing
  EXPECT_TRUE(RowHasData(doc, 3));   // a genotype alone
  EXPECT_FALSE(RowHasData(doc, 4));  // only its label in column 0
  EXPECT_FALSE(RowHasData(doc, 5));  // blanks only
}

TEST(LeftRightChars, CutToNCharacters) {
  EXPECT_EQ(RightChars("abcdef", 2), "ef");
  EXPECT_EQ(RightChars("abc", 5), "abc");
  const std::string long_text = std::string(998, 'x') + "yz";
  EXPECT_EQ(RightChars(long_text, 2), "yz");
  EXPECT_EQ(RightChars(long_text, 1000), long_text);
  EXPECT_EQ(LeftChars("abcdef", 2), "ab");
  EXPECT_EQ(LeftChars("abcdef", 0), "");
  EXPECT_EQ(LeftChars("abc", 10), "abc");
}

TEST(HeapSortDoubles, SortsOneToNAndLeavesTheRestAlone) {
  const struct {
    std::vector<double> in;  // slot 0 and the last slot are sentinels
    std::uint32_t n;
    std::vector<double> out;
  } cases[] = {
      {{9, 3, 1, 2, 2, -1, 8}, 5, {9, -1, 1, 2, 2, 3, 8}},
      {{9, 4, 8}, 1, {9, 4, 8}},
      {{9, 4, 8}, 0, {9, 4, 8}},
      {{9, 2, 1, 8}, 2, {9, 1, 2, 8}},
      {{0, 5, 4, 3, 2, 1, 0, -7}, 6, {0, 0, 1, 2, 3, 4, 5, -7}},
      {{1, 1, 1, 1, 1}, 4, {1, 1, 1, 1, 1}},
      {{0, -0.5, 1e300, -1e300, 0.25, 3}, 4, {0, -1e300, -0.5, 0.25, 1e300, 3}},
  };
  for (const auto& c : cases) {
    std::vector<double> a = c.in;
    HeapSortDoubles(c.n, a);
    EXPECT_EQ(a, c.out) << "n = " << c.n;
  }
}

TEST(HeapSortDoubles, AgreesWithAnOrdinarySortOnLongerArrays) {
  std::uint32_t seed = 12345;
  for (std::uint32_t n : {3u, 10u, 17u, 64u, 1001u}) {
    std::vector<double> a(n + 2);
    for (double& v : a) {
      seed = seed * 134775813u + 1;
      v = static_cast<double>(seed % 1000) / 7.0;
    }
    std::vector<double> expected = a;
    std::sort(expected.begin() + 1, expected.begin() + 1 + n);
    HeapSortDoubles(n, a);
    EXPECT_EQ(a, expected) << n;
  }
}

}  // namespace
}  // namespace relakin
