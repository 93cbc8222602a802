#include "analysis/confidence_limits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "analysis/confidence_file.h"
#include "analysis/fixed_format.h"
#include "analysis/locus_list.h"
#include "core/genotype_code.h"

namespace relakin {
namespace {

TEST(ConfidenceLimits, RanksRoundHalvesToEven) {
  struct Case {
    std::uint32_t c, lo, hi;
  };
  // 101: 2.525 -> 3, 98.475 -> 98; 100: 2.5 -> 2, 97.5 -> 98; 60: 1.5 -> 2, 58.5 -> 58;
  // 20: 0.5 -> 0, 19.5 -> 20; 1: 0.025 -> 0, 0.975 -> 1.
  const Case cases[] = {{101, 4, 98}, {100, 3, 98}, {60, 3, 58}, {20, 1, 20}, {1, 1, 1}};
  for (const Case& c : cases) {
    const LimitRanks r = BootstrapLimitRanks(c.c);
    EXPECT_EQ(r.lo, c.lo) << c.c;
    EXPECT_EQ(r.hi, c.hi) << c.c;
  }
}

TEST(ConfidenceLimits, BootstrapCellSortsAndPicksTheRanks) {
  // 101 values 0.01 .. 1.01 given in descending order: the 4th and 98th are 0.04 and 0.98.
  std::vector<double> values(102);
  for (int k = 1; k <= 101; ++k) values[k] = (102 - k) / 100.0;
  std::string s;
  AppendBootstrapCell(s, values.data(), 101);
  EXPECT_EQ(s, " 0.040_ 0.980\t");

  double one[] = {0, -0.0625};
  s.clear();
  AppendBootstrapCell(s, one, 1);
  EXPECT_EQ(s, "-0.063_-0.063\t");  // the exact half goes away from zero
  s.clear();
  AppendBootstrapCell(s, one, 0);
  EXPECT_EQ(s, "------------\t");
}

// The cell is what the heap sort of the values gives at the two ranks, also when +0 and -0
// (which print "0.000" and "-0.000") share the ranks, and whatever the values' order.
TEST(ConfidenceLimits, BootstrapCellAsTheHeapSortGivesIt) {
  std::mt19937 g(5);
  const std::vector<double> pools[] = {
      {0.0, -0.0},                                       // signed zeros only
      {0.0, -0.0, 0.25, -0.25, 1e-4, -1e-4, 0.5},        // both zeros among others
      {0.0, 0.25, -0.25, 1e-4, -1e-4, 0.5, 0.75, -1},    // no negative zero
      {-0.0, 0.125, -0.125, 0.3, -0.7, 2, -2, 1.0 / 3},  // no positive zero
  };
  for (int round = 0; round < 4000; ++round) {
    const std::vector<double>& pool = pools[round % 4];
    // Up to 101 values as the bootstrap has them, now and then many more.
    const std::uint32_t c = 1 + g() % (round % 10 == 0 ? 400 : 101);
    std::vector<double> values(c + 1);
    for (std::uint32_t k = 1; k <= c; ++k) values[k] = pool[g() % pool.size()] * (1 + g() % 3);
    std::vector<double> sorted = values;
    HeapSortDoubles(c, sorted);
    const LimitRanks r = BootstrapLimitRanks(c);
    const std::string expected =
        FormatFixed(sorted[r.lo], 6, 3) + "_" + FormatFixed(sorted[r.hi], 6, 3) + "\t";
    std::string s;
    AppendBootstrapCell(s, values.data(), c);
    ASSERT_EQ(s, expected) << "round " << round << ", " << c << " values";
  }
}

TEST(ConfidenceLimits, JackknifeCellFromPseudoValues) {
  // Real value 0.5, leave-one-out values 0.25 and 1: pseudo-values 0.75 and 0; mean 0.375,
  // s = 0.375 * sqrt(2).
  const double values[] = {0, 0.5, 0.25, 1};
  std::vector<double> pseudo;
  JackknifePseudoValues(values, pseudo, 2);
  EXPECT_EQ(pseudo, (std::vector<double>{0.75, 0.0}));
  std::string s;
  AppendJackknifeCell(s, values, 3, true, pseudo);
  const double sd = 0.375 * std::sqrt(2.0);
  char expected[40];
  std::snprintf(expected, sizeof expected, "%6.3f_%6.3f\t", 0.375 - 1.96 * sd, 0.375 + 1.96 * sd);
  EXPECT_EQ(s, expected);

  // One pseudo-value (1 * t - 0 * v = t) is its own mean and standard deviation: the limits
  // are t -/+ 1.96 |t|, the lower first also when t is negative.
  for (const auto& [real, cell] :
       {std::pair{0.5, "-0.480_ 1.480\t"}, std::pair{-0.6, "-1.776_ 0.576\t"}}) {
    const double one[] = {0, real, 0.25};
    s.clear();
    AppendJackknifeCell(s, one, 2, true, pseudo);
    EXPECT_EQ(s, cell) << real;
  }
  // No real-data value, or no leave-one-out value: no limits.
  for (const auto& [c, real] : {std::pair{3u, false}, std::pair{1u, true}, std::pair{0u, false}}) {
    s.clear();
    AppendJackknifeCell(s, values, c, real, pseudo);
    EXPECT_EQ(s, "------------\t");
  }
}

TEST(ConfidenceLimits, LocusListsAndPairNumbers) {
  EXPECT_EQ(AllLoci(3), (LocusList{0, 1, 2, 3}));
  LocusList list = AllLoci(4);
  DropLocus(list, 4, 2);
  EXPECT_EQ(list, (LocusList{0, 1, 3, 4, 0}));
  DropLocus(list, 1, 1);
  EXPECT_EQ(list, (LocusList{0, 0}));

  RandomGenerator random(123), check(123);
  ResampleLoci(list, 5, random);
  ASSERT_EQ(list.size(), 6u);
  for (std::size_t k = 1; k <= 5; ++k) EXPECT_EQ(list[k], check.Below(5) + 1);
  EXPECT_EQ(random.Seed(), check.Seed());

  EXPECT_EQ(PairIndex(5, 1, 2), 1u);
  EXPECT_EQ(PairIndex(5, 1, 5), 4u);
  EXPECT_EQ(PairIndex(5, 2, 3), 5u);
  EXPECT_EQ(PairIndex(5, 4, 5), 10u);
  EXPECT_EQ(PairIndex(65535, 65534, 65535), 65535u * 65534u / 2);
}

TEST(ConfidenceFile, HeaderTitlesAndCells) {
  AnalysisData d;
  d.NbLoci = 1;
  d.NbPopGrouped = 2;
  d.DataTitle = " Untitled";
  EXPECT_EQ(ConfidenceHeader(d, 2),
            "Data File name :  Untitled\r\n1 Locus\r\n2 Population(s) grouped\r\n"
            "rxy in Lynch & Ritland 1999. ");
  EXPECT_EQ(ConfidenceHeader(d, 1).substr(ConfidenceHeader(d, 1).rfind('\n') + 1),
            "rxy in Queller & Goodnight 1989. ");
  EXPECT_EQ(ConfidenceHeader(d, 7).substr(ConfidenceHeader(d, 7).rfind('\n') + 1),
            " I= Ixy/(racine(Ix)*racine(Iy)) par paire d'individus : ");
  EXPECT_EQ(ConfidenceTitle(0), "95% Confidence limits after 100 bootstraps over loci :\r\n\r\n");
  EXPECT_EQ(ConfidenceTitle(3), "95% Confidence limits after jackknife over loci :\r\n\r\n");
  std::string s;
  AppendEmptyCells(s, 2, kMatrixEmptyCell);
  AppendMatrixCell(s, 999, 3);
  AppendMatrixCell(s, -0.125, 2);
  AppendMatrixCell(s, 1.5, 5);
  EXPECT_EQ(s, "        \t        \t 999.000\t   -0.13\t 1.50000\t");
}

TEST(ConfidenceFile, NumbersOfTheDegenerateLocusMessage) {
  struct Case {
    double v;
    const char* text;
  };
  const Case cases[] = {{0, "0"},
                        {1, "1"},
                        {0.5, "0.5"},
                        {1.0 / 3, "0.333333333333333"},
                        {2.0 / 3, "0.666666666666667"},
                        {0.25, "0.25"},
                        {125, "125"},
                        {1e-5, "0.00001"},
                        {1.5e-6, "1.5E-6"},
                        {1e15, "1E15"},
                        {-0.5, "-0.5"}};
  for (const Case& c : cases) EXPECT_EQ(GeneralNumberText(c.v), c.text) << c.v;
  DegenerateLocusTally t;
  t.Add(0, 0.5, 0.5);
  t.Add(1, 1, 1);
  EXPECT_EQ(DegenerateLociMessage(t), "Sab =0 Pa=0.5 Pb=0.5 (2 fois)");
}

}  // namespace
}  // namespace relakin
