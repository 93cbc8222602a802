#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "analysis/extended_fixed.h"
#include "analysis/permutation_file.h"
#include "permutation_oracle.h"

namespace relakin {
namespace {

std::string Extended(long double v, int width, int decimals) {
  std::string s;
  AppendFixedExtended(s, v, width, decimals);
  return s;
}

TEST(PermutationFormat, ExtendedFixedIsExactWithHalvesAway) {
  EXPECT_EQ(Extended(0.25L, 6, 1), "   0.3");
  EXPECT_EQ(Extended(-0.125L, 0, 2), "-0.13");
  EXPECT_EQ(Extended(0.0009765625L, 12, 9), " 0.000976563");
  EXPECT_EQ(Extended(-1e-20L, 12, 9), "-0.000000000");
  EXPECT_EQ(Extended(999.9999999996L, 10, 9), "1000.000000000");
  std::mt19937_64 g(4);
  std::uniform_real_distribution<long double> unit(-1, 1);
  for (int k = 0; k < 20000; ++k) {
    const long double v = unit(g) * powl(10.0L, static_cast<int>(g() % 10) - 3);
    const int decimals = static_cast<int>(g() % 10);
    ASSERT_EQ(Extended(v, 12, decimals), testing::LiteralFixed(v, 12, decimals)) << decimals;
  }
}

TEST(PermutationFormat, HeaderLabelsAndCells) {
  AnalysisData d;
  d.NbLoci = 15;
  d.NbPopGrouped = 3;
  d.DataTitle = " C:\\data\\x.bvt";
  EXPECT_EQ(PermutationHeader(d, 0),
            "Data File name :  C:\\data\\x.bvt\r\n15 Loci\r\n3 Population(s) grouped\r\n"
            " I= Ixy/(racine(Ix)*racine(Iy)) par paire d'individus : ");
  EXPECT_EQ(PermutationHeader(d, 1).substr(PermutationHeader(d, 1).rfind('\n') + 1),
            "Rxy as in Queller & Goodnight 1989");
  EXPECT_EQ(PermutationHeader(d, 2).substr(PermutationHeader(d, 2).rfind('\n') + 1),
            "Rxy as in Lynch & Ritland 1999");
  EXPECT_EQ(PermutationLabels(0, 0), " Mean after genotype permutation\r\n");
  EXPECT_EQ(PermutationLabels(1, 1), " Variance after alleles permutation\r\n");

  struct Cell {
    std::uint16_t k;
    DataSetStatistic s;
    const char* text;
  };
  const Cell cells[] = {
      {0, {0.0123456789L, true}, " 0.012345679 <--- Value for real data\r\n 1000\r\n"},
      {0, {0, false}, "         999 <--- Value for real data\r\n 1000\r\n"},
      {7, {-0.25L, true}, "-0.250000000 "},
      {20, {-0.25L, true}, "-0.2500000\r\n"},
      {30, {0, false}, "       999\r\n"},
      {3, {1234.5L, true}, "1234.500000000 "},
  };
  for (const Cell& c : cells) {
    std::string s;
    AppendStatistic(s, c.k, c.s, 1000);
    EXPECT_EQ(s, c.text);
  }
  EXPECT_EQ(VectorFileName(0), "vector0.txt");
  EXPECT_EQ(VectorFileName(1000), "vector1000.txt");
}

TEST(PermutationFormat, VectorLinesCarryTheRunningSum) {
  const double values[] = {0.5, -0.125, 1e-10, 12345.678};
  std::string s;
  double sum = 0;
  AppendVectorLines(s, values, 2, sum);
  AppendVectorLines(s, values + 2, 2, sum);
  EXPECT_EQ(s,
            " 0.500000000\t 0.500000000\r\n"
            "-0.125000000\t 0.375000000\r\n"
            " 0.000000000\t 0.375000000\r\n"
            "12345.678000000\t12346.053000000\r\n");
}

}  // namespace
}  // namespace relakin
