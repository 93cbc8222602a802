#include "analysis/permutation_passes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

#include "analysis/analysis_file.h"
#include "analysis_test_data.h"
#include "permutation_oracle.h"
#include "random_analysis_file.h"

namespace relakin {
namespace {

// n individuals, each with a genotype of its own at every locus (first allele i, second
// 500 + i), missing where (i + l) % 5 == 0.
AnalysisData DistinctGenotypes(std::uint16_t n, std::uint16_t loci) {
  std::vector<std::vector<std::uint16_t>> lists(loci);
  for (auto& list : lists) {
    for (std::uint16_t i = 1; i <= n; ++i) list.push_back(i);
    for (std::uint16_t i = 1; i <= n; ++i) list.push_back(500 + i);
  }
  std::vector<std::vector<std::uint32_t>> rows(n);
  for (std::uint32_t i = 1; i <= n; ++i)
    for (std::uint32_t l = 1; l <= loci; ++l)
      rows[i - 1].push_back((i + l) % 5 == 0 ? 0 : i * 1000 + 500 + i);
  return testing::MakeAnalysisData(lists, rows);
}

// Each pass at each locus is a set of disjoint exchanges among the typed individuals: who
// holds whose genotype is an involution, and the missing never move. Passes accumulate.
TEST(PermutationPasses, GenotypePassExchangesTypedGenotypesPairwise) {
  AnalysisData d = DistinctGenotypes(40, 3);
  RandomGenerator random(11), literal_random(11);
  AnalysisData literal = d;
  for (int pass = 1; pass <= 5; ++pass) {
    const AnalysisData before = d;
    PermuteGenotypes(d, random);
    testing::LiteralPermuteGenotypes(literal, literal_random);
    ASSERT_EQ(d.Genotypes, literal.Genotypes) << "pass " << pass;
    ASSERT_EQ(random.Seed(), literal_random.Seed());
    int moved = 0;
    for (std::uint16_t l = 1; l <= d.NbLoci; ++l) {
      std::map<std::uint16_t, std::uint16_t> holder_of;  // first code -> individual before
      for (std::uint16_t i = 1; i <= d.NbInd; ++i) holder_of[before.First(i, l)] = i;
      for (std::uint16_t i = 1; i <= d.NbInd; ++i) {
        if (before.First(i, l) == 0) {
          EXPECT_EQ(d.First(i, l), 0);
          EXPECT_EQ(d.Second(i, l), 0);
          continue;
        }
        ASSERT_NE(d.First(i, l), 0);
        const std::uint16_t from = holder_of.at(d.First(i, l));
        EXPECT_EQ(d.Second(i, l), before.Second(from, l));  // whole genotypes move
        EXPECT_EQ(d.First(from, l), before.First(i, l)) << "not an exchange";
        moved += from != i;
      }
    }
    EXPECT_GT(moved, 0);
  }
}

// The allele pass keeps every locus's allele counts and missing positions, puts the smaller
// allele first, and draws exactly as the literal pass.
TEST(PermutationPasses, AllelePassKeepsCountsAndMissingPositions) {
  const std::string file = testing::RandomAnalysisFile({25, {4, 7, 1, 2}, 20, 5});
  AnalysisData d = ReadAnalysisText(file);
  const AnalysisData real = d;
  AnalysisData literal = d;
  RandomGenerator random(3), literal_random(3);
  auto counts = [](const AnalysisData& a, std::uint16_t l) {
    std::map<std::uint16_t, int> c;
    for (std::uint16_t i = 1; i <= a.NbInd; ++i) ++c[a.First(i, l)], ++c[a.Second(i, l)];
    return c;
  };
  for (int pass = 1; pass <= 4; ++pass) {
    PermuteAlleles(d, random);
    testing::LiteralPermuteAlleles(literal, literal_random);
    ASSERT_EQ(d.Genotypes, literal.Genotypes) << "pass " << pass;
    ASSERT_EQ(random.Seed(), literal_random.Seed());
    for (std::uint16_t l = 1; l <= d.NbLoci; ++l) {
      EXPECT_EQ(counts(d, l), counts(real, l));
      for (std::uint16_t i = 1; i <= d.NbInd; ++i) {
        EXPECT_EQ(d.First(i, l) == 0, real.First(i, l) == 0);
        EXPECT_LE(d.First(i, l), d.Second(i, l));
      }
    }
  }
  EXPECT_NE(d.Genotypes, real.Genotypes);
}

TEST(PermutationPasses, GenesRoundTripSmallerFirst) {
  AnalysisData d = testing::MakeAnalysisData({{101, 103}, {201}}, {{103101, 201201}, {0, 201201}});
  const GeneTable genes = GenotypesToGenes(d);
  EXPECT_EQ(genes[1], (std::vector<std::uint16_t>{0, 103, 101, 0, 0}));
  EXPECT_EQ(genes[2], (std::vector<std::uint16_t>{0, 201, 201, 201, 201}));
  GenesToGenotypes(genes, d);
  EXPECT_EQ(d.Genotypes[1], (std::vector<std::uint16_t>{0, 101, 103, 201, 201}));
  EXPECT_EQ(d.Genotypes[2], (std::vector<std::uint16_t>{0, 0, 0, 201, 201}));
}

// A single individual or none: no genotype exchange and no draw; a lone individual's two
// alleles may swap, which leaves its genotype as it was.
TEST(PermutationPasses, FewerThanTwoIndividuals) {
  for (std::uint16_t n : {0, 1}) {
    AnalysisData d = DistinctGenotypes(n, 2);
    const AnalysisData before = d;
    RandomGenerator random(8);
    PermuteGenotypes(d, random);
    EXPECT_EQ(random.Seed(), 8u);
    PermuteAlleles(d, random);
    EXPECT_EQ(d.Genotypes, before.Genotypes);
  }
}

}  // namespace
}  // namespace relakin
