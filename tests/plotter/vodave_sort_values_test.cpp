#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "plotter/stats/sort_values.h"

namespace vodave {
namespace {

TEST(VodaveSortValuesTest, SortsLikeTheStandardSort) {
  std::mt19937 gen(7);
  std::uniform_real_distribution<double> real(-1.0, 1.0);
  std::uniform_int_distribution<int> few(0, 3);
  for (std::size_t n : {1u, 2u, 3u, 10u, 101u, 1000u}) {
    std::vector<double> values(n);
    for (double& v : values) v = n % 2 ? real(gen) : few(gen) * 0.25;  // with repeats
    std::vector<double> expected = values;
    std::sort(expected.begin(), expected.end());
    SortValues(values, 0, n - 1);
    EXPECT_EQ(values, expected) << n;
  }
}

TEST(VodaveSortValuesTest, SortsOnlyTheGivenRange) {
  std::vector<double> values = {9, 5, 3, 4, 1, 0};
  SortValues(values, 1, 4);
  EXPECT_EQ(values, (std::vector<double>{9, 1, 3, 4, 5, 0}));
}

// Orders that drive a middle-pivot partition sort deep still sort a full buffer.
TEST(VodaveSortValuesTest, SortsAFullBufferInAnyOrder) {
  const std::size_t n = 50001;
  std::vector<std::vector<double>> inputs(4, std::vector<double>(n));
  for (std::size_t i = 0; i < n; ++i) {
    inputs[0][i] = static_cast<double>(i);
    inputs[1][i] = static_cast<double>(n - i);
    inputs[2][i] = 0.5;
    inputs[3][i] = static_cast<double>(i % 2 ? i : n - i);
  }
  for (auto& values : inputs) {
    SortValues(values, 0, n - 1);
    EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
  }
}

}  // namespace
}  // namespace vodave
