// Renumbering alleles by rank: AlleleRank2 and RecodeGenotype2.
#include "formats/allele_rank.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/genotype_code.h"

namespace relakin {
namespace {

using ::testing::HasSubstr;

// Locus 1 holds the sorted alleles given; locus 2 holds 1 .. 100.
AlleleTables Tables(const std::vector<std::uint16_t>& locus1) {
  AlleleTables t;
  t.AlleleCount.assign(3, 0);
  t.AlleleList.assign(3, std::vector<std::uint16_t>(1, 0));
  for (const std::uint16_t a : locus1) t.AddAllele(a, 1);
  for (std::uint16_t a = 1; a <= 100; ++a) t.AddAllele(a, 2);
  return t;
}

TEST(AlleleRank2, RankWithTwoDigitsOrMissingCode) {
  const AlleleTables t = Tables({101, 105, 210});
  const struct {
    std::uint16_t allele, l;
    const char* rank;
  } cases[] = {
      {101, 1, "01"}, {210, 1, "03"}, {0, 1, "00"},  {102, 1, "00"}, {65535, 1, "00"},
      {9, 2, "09"},   {10, 2, "10"},  {99, 2, "99"}, {100, 2, "00"},  // no 100th rank
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AlleleRank2(t, c.allele, c.l), c.rank) << c.allele << " at locus " << c.l;
  }
}

// The cell is read trimmed, as the writers read it: a trailing blank does not shift its digits.
TEST(RecodeGenotype2, CellReadTrimmedAsANumberWhateverItsLength) {
  const AlleleTables t = Tables({12, 34, 101, 105});
  const struct {
    const char* cell;
    const char* code;
  } cases[] = {
      {"101105", "0304"},  {"105101", "0403"},  // the cell's order stays
      {"", "0000"},        {" ", "0000"},
      {"      ", "0000"},  {"000000", "0000"},
      {"012000", "0100"},  {"012999", "0100"},  // half-typed or unknown allele
      {"12034", "0102"},   {" 12 34", "0102"},  // inner blanks are zeros
      {"101105 ", "0304"}, {"  101105  ", "0304"},
      {" 12 34 ", "0102"}, {"105", "0004"},
      {"0101105", "0304"}, {"000000101105", "0304"},
      {"1000105", "0004"},  // allele 1000 is in no list
  };
  for (const auto& c : cases) EXPECT_EQ(RecodeGenotype2(t, c.cell, 1), c.code) << c.cell;
}

TEST(RecodeGenotype2, TextThatIsNotAWholeNumberNamesItsCell) {
  const AlleleTables t = Tables({101});
  for (const char* cell : {"10a105", "-12", "+101105", "101\t105", "65536000", "99999999999"}) {
    try {
      RecodeGenotype2(t, cell, 1, 4);
      ADD_FAILURE() << cell << " was accepted";
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::Conversion) << cell;
      EXPECT_THAT(e.what(), HasSubstr("(locus 1, individu 3)")) << cell;
    }
  }
  EXPECT_EQ(RecodeGenotype2(t, "65535999", 1), "0000");  // the largest number that fits
}

}  // namespace
}  // namespace relakin
