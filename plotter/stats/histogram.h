// The plotter's computation: the N + 1 values of a DistributionFile (the permuted values and the
// observed value) sorted, cut into equal-width classes and summarised.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "plotter/stats/distribution_file.h"

namespace vodave {

inline constexpr int kMinClasses = 5;
inline constexpr int kMaxClasses = 20;
inline constexpr int kDefaultClasses = 10;

// Entries 1 .. NbClasses are used; entry 0 stays empty.
struct ClassTable {
  int NbClasses = 0;
  std::array<std::int32_t, kMaxClasses + 1> ClassCounts{};
  std::array<double, kMaxClasses + 1> ClassLimits{};  // upper limit of each class
};

// The figures shown by the statistics dialog. A figure that cannot be computed is empty:
// with no permuted value (N = 0) the mean, the moments and the percentages, with a variance of 0
// the skewness and the kurtosis.
struct DistributionStats {
  std::string TitleLine;
  double ObservedValue = 0.0;
  double LowestValue = 0.0;            // of the N + 1 values
  double HighestValue = 0.0;           // of the N + 1 values
  std::optional<double> DistMean;      // sum of the N + 1 values / N
  std::optional<double> DistVariance;  // sum of squared deviations / N
  std::optional<double> DistSkewness;  // (sum of cubed deviations / N) / variance^1.5
  std::optional<double> DistKurtosis;  // (sum of 4th powers / N) / variance^2, 3 not subtracted
  std::uint16_t ObservedClass = 0;
  // Percentages of the N permuted values above, equal to and below |observed| ...
  std::optional<double> PctAbove, PctEqual, PctBelow;
  // ... and -|observed|.
  std::optional<double> OppPctAbove, OppPctEqual, OppPctBelow;
};

struct Histogram {
  ClassTable Classes;
  DistributionStats Stats;
  int N = 0;  // number of permuted values
};

// Base to the power Exponent as e^(Exponent * ln Base); 1 for Exponent 0. No value for a
// Base <= 0.
std::optional<double> RaiseToPower(double base, double exponent);

// Computes the histogram of `file` with `nbClasses` classes (1 .. kMaxClasses; the windows keep
// it in kMinClasses .. kMaxClasses). A value belongs to the first class whose upper limit it does
// not exceed, the last class taking everything above the limit before it.
// Throws Error(FloatingPoint) when a sum or a figure overflows the 64-bit reals;
// std::out_of_range for a class count outside 1 .. kMaxClasses.
Histogram ComputeHistogram(const DistributionFile& file, int nbClasses);

// ReadDistributionFile(fileName), then the above.
Histogram ComputeHistogram(const std::string& fileName, int nbClasses);

}  // namespace vodave
