#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <vector>

#include "plotter/stats/errors.h"
#include "plotter/stats/histogram.h"

namespace vodave {
namespace {

DistributionFile File(double observed, std::vector<double> permuted) {
  return DistributionFile{"title", observed, std::move(permuted)};
}

std::vector<int> Counts(const Histogram& h) {
  return std::vector<int>(h.Classes.ClassCounts.begin() + 1,
                          h.Classes.ClassCounts.begin() + 1 + h.Classes.NbClasses);
}

TEST(VodaveHistogramTest, CountsEachValueInTheFirstClassWhoseLimitItDoesNotExceed) {
  const std::vector<double> zeroToNine = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
  struct Case {
    const char* what;
    DistributionFile file;
    int nbClasses;
    std::vector<int> counts;
    int observedClass;
  } cases[] = {
      {"top class", File(10, zeroToNine), 5, {3, 2, 2, 2, 2}, 5},
      {"on a limit", File(4, {0, 1, 2, 3, 5, 6, 7, 8, 9, 10}), 5, {3, 2, 2, 2, 2}, 2},
      {"lowest value", File(0, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}), 5, {3, 2, 2, 2, 2}, 1},
      {"all equal", File(0.3, {0.3, 0.3}), 5, {3, 0, 0, 0, 0}, 1},
      {"example", File(0.5, {0.2, 0.5, 0.7, 0.9}), 5, {1, 0, 2, 1, 1}, 3},
      {"negative", File(-0.5, {0.2, 0.5, 0.7, 0.9}), 5, {1, 0, 1, 1, 2}, 1},
      {"twenty classes",
       File(19, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 20}),
       20,
       {2, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1},
       19},
  };
  for (const Case& c : cases) {
    const Histogram h = ComputeHistogram(c.file, c.nbClasses);
    EXPECT_EQ(Counts(h), c.counts) << c.what;
    EXPECT_EQ(h.Stats.ObservedClass, c.observedClass) << c.what;
    EXPECT_EQ(h.N, static_cast<int>(c.file.PermutedValues.size()));
  }
}

TEST(VodaveHistogramTest, BuildsLimitsByRepeatedAddition) {
  const Histogram h = ComputeHistogram(File(10, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}), 5);
  EXPECT_EQ(h.Stats.LowestValue, 0.0);
  EXPECT_EQ(h.Stats.HighestValue, 10.0);
  for (int k = 1; k <= 5; ++k) EXPECT_EQ(h.Classes.ClassLimits[k], 2.0 * k);
  const Histogram odd = ComputeHistogram(File(0.9, {0.2}), 7);
  double x = 0.2;
  for (int k = 1; k <= 7; ++k) EXPECT_EQ(odd.Classes.ClassLimits[k], x += (0.9 - 0.2) / 7);
}

TEST(VodaveHistogramTest, ComputesTheExampleStatistics) {
  const Histogram h = ComputeHistogram(File(0.5, {0.2, 0.5, 0.7, 0.9}), 10);
  const DistributionStats& s = h.Stats;
  EXPECT_DOUBLE_EQ(*s.DistMean, 0.7);  // 2.8 / 4: the divisor is N
  // Deviations -0.5, -0.2, -0.2, 0, 0.2.
  EXPECT_NEAR(*s.DistVariance, 0.37 / 4, 1e-15);
  EXPECT_NEAR(*s.DistSkewness, (-0.133 / 4) / std::pow(0.37 / 4, 1.5), 1e-12);
  EXPECT_NEAR(*s.DistKurtosis, (0.0673 / 4) / std::pow(0.37 / 4, 2), 1e-12);
  EXPECT_EQ(s.ObservedValue, 0.5);
  EXPECT_EQ(s.TitleLine, "title");
}

TEST(VodaveHistogramTest, ComputesTheSharesAgainstTheValueAndItsOpposite) {
  struct Case {
    const char* what;
    DistributionFile file;
    double above, equal, below, oppAbove, oppEqual, oppBelow;
  } cases[] = {
      {"0.5", File(0.5, {0.2, 0.5, 0.7, 0.9}), 50, 25, 25, 100, 0, 0},
      {"-0.5", File(-0.5, {0.2, 0.5, 0.7, 0.9}), 50, 25, 25, 100, 0, 0},
      {"0", File(0, {-0.1, 0, 0, 0.2}), 25, 50, 25, 25, 50, 25},
      {"-0", File(-0.0, {-0.1, 0, 0, 0.2}), 25, 50, 25, 25, 50, 25},
      {"-0.2", File(-0.2, {0.2, -0.2, 0.3, -0.5}), 25, 25, 50, 50, 25, 25},
  };
  for (const Case& c : cases) {
    const DistributionStats s = ComputeHistogram(c.file, 5).Stats;
    EXPECT_DOUBLE_EQ(*s.PctAbove, c.above) << c.what;
    EXPECT_DOUBLE_EQ(*s.PctEqual, c.equal) << c.what;
    EXPECT_DOUBLE_EQ(*s.PctBelow, c.below) << c.what;
    EXPECT_DOUBLE_EQ(*s.OppPctAbove, c.oppAbove) << c.what;
    EXPECT_DOUBLE_EQ(*s.OppPctEqual, c.oppEqual) << c.what;
    EXPECT_DOUBLE_EQ(*s.OppPctBelow, c.oppBelow) << c.what;
    EXPECT_GE(s.ObservedClass, 1) << c.what;
  }
}

TEST(VodaveHistogramTest, ComputesAPermutationResultFile) {
  const Histogram h =
      ComputeHistogram(std::string(RELAKIN_TEST_DATA) + "/plotter/permutation12.res", 10);
  EXPECT_EQ(h.N, 12);
  EXPECT_EQ(Counts(h), (std::vector<int>{1, 0, 0, 2, 1, 1, 2, 1, 3, 2}));
  EXPECT_EQ(h.Stats.ObservedClass, 9);
  EXPECT_DOUBLE_EQ(*h.Stats.PctAbove, 200.0 / 12);
  EXPECT_DOUBLE_EQ(*h.Stats.PctEqual, 200.0 / 12);
  EXPECT_DOUBLE_EQ(*h.Stats.PctBelow, 800.0 / 12);
  EXPECT_DOUBLE_EQ(*h.Stats.OppPctAbove, 1100.0 / 12);
  EXPECT_DOUBLE_EQ(*h.Stats.OppPctEqual, 100.0 / 12);
  EXPECT_DOUBLE_EQ(*h.Stats.OppPctBelow, 0.0);
  EXPECT_EQ(h.Stats.LowestValue, -0.041666667);
  EXPECT_EQ(h.Stats.HighestValue, 0.06);
}

TEST(VodaveHistogramTest, LeavesWhatCannotBeComputedEmpty) {
  // No permuted value: everything divided by N is undefined; the histogram still has its bar.
  const Histogram none =
      ComputeHistogram(std::string(RELAKIN_TEST_DATA) + "/plotter/permutation0.res", 10);
  EXPECT_EQ(none.N, 0);
  EXPECT_EQ(Counts(none), (std::vector<int>{1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(none.Stats.ObservedClass, 1);
  EXPECT_EQ(none.Stats.LowestValue, -0.125);
  for (const auto* x :
       {&none.Stats.DistMean, &none.Stats.DistVariance, &none.Stats.DistSkewness,
        &none.Stats.DistKurtosis, &none.Stats.PctAbove, &none.Stats.PctEqual, &none.Stats.PctBelow,
        &none.Stats.OppPctAbove, &none.Stats.OppPctEqual, &none.Stats.OppPctBelow})
    EXPECT_FALSE(x->has_value());

  // No spread: the skewness and the kurtosis are undefined, the rest is there.
  const Histogram flat = ComputeHistogram(File(0, {0, 0, 0}), 5);
  EXPECT_EQ(*flat.Stats.DistMean, 0.0);
  EXPECT_EQ(*flat.Stats.DistVariance, 0.0);
  EXPECT_FALSE(flat.Stats.DistSkewness.has_value());
  EXPECT_FALSE(flat.Stats.DistKurtosis.has_value());
  EXPECT_DOUBLE_EQ(*flat.Stats.PctEqual, 100.0);

  // Equal values that are not 0 keep a spread, since the mean is divided by N.
  const Histogram equal = ComputeHistogram(File(0.3, {0.3, 0.3}), 5);
  EXPECT_DOUBLE_EQ(*equal.Stats.DistMean, 0.45);
  EXPECT_TRUE(equal.Stats.DistSkewness.has_value());
}

TEST(VodaveHistogramTest, ReportsOverflowAsAFloatingPointError) {
  for (const DistributionFile& f : {File(1e308, {-1e308}), File(1e200, {-1e200, 0})}) {
    try {
      ComputeHistogram(f, 5);
      ADD_FAILURE();
    } catch (const Error& e) {
      EXPECT_EQ(e.kind(), ErrorKind::FloatingPoint);
    }
  }
  EXPECT_THROW(ComputeHistogram(File(0, {1}), 0), std::out_of_range);
  EXPECT_THROW(ComputeHistogram(File(0, {1}), 21), std::out_of_range);
}

TEST(VodaveHistogramTest, RaisesToPowerThroughTheLogarithm) {
  EXPECT_EQ(*RaiseToPower(2.0, 0), 1.0);
  EXPECT_DOUBLE_EQ(*RaiseToPower(4.0, 1.5), 8.0);
  EXPECT_DOUBLE_EQ(*RaiseToPower(0.0925, 2), 0.0925 * 0.0925);
  EXPECT_FALSE(RaiseToPower(0.0, 1.5).has_value());
  EXPECT_FALSE(RaiseToPower(-1.0, 2).has_value());
}

}  // namespace
}  // namespace vodave
