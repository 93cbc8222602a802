#include "plotter/stats/histogram.h"

#include <cmath>
#include <stdexcept>
#include <vector>

#include "plotter/stats/errors.h"
#include "plotter/stats/sort_values.h"

namespace vodave {
namespace {

// Tallies of the values greater than, equal to and less than one reference value.
struct Tally {
  int greater = 0;
  int equal = 0;
  int less = 0;
  void Add(double value, double reference) {
    if (value > reference) {
      ++greater;
    } else if (value == reference) {
      ++equal;
    } else {
      ++less;
    }
  }
};

double Finite(double x) {
  if (!std::isfinite(x))
    throw Error(ErrorKind::FloatingPoint,
                "Dépassement de capacité en virgule flottante dans le calcul de la distribution.");
  return x;
}

void BuildClassLimits(ClassTable& table, double lowest, double highest) {
  // Repeated addition, so the last limit may differ from the highest value by rounding.
  const double width = Finite((highest - lowest) / table.NbClasses);
  double x = lowest;
  for (int k = 1; k <= table.NbClasses; ++k) {
    x += width;
    table.ClassLimits[k] = x;
    table.ClassCounts[k] = 0;
  }
}

void ComputeMoments(const std::vector<double>& values, double sum, int n, DistributionStats& s) {
  const double mean = Finite(sum / n);
  double s2 = 0.0, s3 = 0.0, s4 = 0.0;
  for (double v : values) {
    const double d = v - mean;
    s2 += d * d;
    s3 += d * d * d;
    s4 += d * d * d * d;
  }
  s.DistMean = mean;
  s.DistVariance = Finite(s2 / n);
  const auto pow15 = RaiseToPower(*s.DistVariance, 1.5);
  const auto pow2 = RaiseToPower(*s.DistVariance, 2);
  if (pow15 && pow2) {
    s.DistSkewness = Finite(Finite(s3 / n) / *pow15);
    s.DistKurtosis = Finite(Finite(s4 / n) / *pow2);
  }
}

// The observed value's own occurrence is taken out of the tally it fell in, so each percentage
// is a share of the N permuted values.
void ComputePercentages(double observed, const Tally& a, const Tally& b, int n,
                        DistributionStats& s) {
  const double p = 100.0 / n;
  s.PctAbove = p * a.greater;
  s.PctEqual = p * (observed >= 0 ? a.equal - 1 : a.equal);
  s.PctBelow = p * (observed >= 0 ? a.less : a.less - 1);
  s.OppPctAbove = p * (observed > 0 ? b.greater - 1 : b.greater);
  s.OppPctEqual = p * (observed > 0 ? b.equal : b.equal - 1);
  s.OppPctBelow = p * b.less;
}

}  // namespace

std::optional<double> RaiseToPower(double base, double exponent) {
  if (!(base > 0)) return std::nullopt;
  if (exponent == 0) return 1.0;
  return std::exp(exponent * std::log(base));
}

Histogram ComputeHistogram(const DistributionFile& file, int nbClasses) {
  if (nbClasses < 1 || nbClasses > kMaxClasses)
    throw std::out_of_range("ComputeHistogram: class count out of range");
  Histogram h;
  h.N = static_cast<int>(file.PermutedValues.size());
  DistributionStats& s = h.Stats;
  s.TitleLine = file.TitleLine;
  s.ObservedValue = file.ObservedValue;

  std::vector<double> values = file.PermutedValues;
  values.push_back(file.ObservedValue);
  const double a = file.ObservedValue >= 0 ? file.ObservedValue : -file.ObservedValue;
  const double b = -a;
  SortValues(values, 0, values.size() - 1);
  s.LowestValue = values.front();
  s.HighestValue = values.back();

  ClassTable& t = h.Classes;
  t.NbClasses = nbClasses;
  BuildClassLimits(t, s.LowestValue, s.HighestValue);

  // The values come in ascending order, so the class cursor never moves back.
  int c = 1;
  double sum = 0.0;
  Tally ta, tb;
  for (double v : values) {
    while (v > t.ClassLimits[c] && c < nbClasses) ++c;
    ++t.ClassCounts[c];
    sum += v;
    ta.Add(v, a);
    if (v == a && a == file.ObservedValue) s.ObservedClass = static_cast<std::uint16_t>(c);
    tb.Add(v, b);
    if (v == b && b == file.ObservedValue) s.ObservedClass = static_cast<std::uint16_t>(c);
  }
  Finite(sum);

  // The divisor is N although N + 1 values are summed.
  if (h.N > 0) {
    ComputeMoments(values, sum, h.N, s);
    ComputePercentages(file.ObservedValue, ta, tb, h.N, s);
  }
  return h;
}

Histogram ComputeHistogram(const std::string& fileName, int nbClasses) {
  return ComputeHistogram(ReadDistributionFile(fileName), nbClasses);
}

}  // namespace vodave
