#include "plotter/stats/statistics_texts.h"

#include <cmath>
#include <cstdint>
#include <utility>

#include "plotter/stats/fixed_format.h"

namespace vodave {
namespace {

std::string Format(const std::optional<double>& x, int decimals, std::string_view sep) {
  return x ? FormatFixed(*x, decimals, sep) : std::string(kUndefinedText);
}

std::optional<double> SquareRoot(const std::optional<double>& x) {
  if (!x) return std::nullopt;
  return std::sqrt(*x);
}

}  // namespace

std::vector<std::array<std::string, 2>> ClassTableRows(const ClassTable& table,
                                                       std::string_view decimalSeparator) {
  std::vector<std::array<std::string, 2>> rows;
  rows.push_back({"Lim. > de classe", "Effectif"});
  std::uint16_t total = 0;  // at most 50001 values
  for (int k = 1; k <= table.NbClasses; ++k) {
    rows.push_back({FormatFixed(table.ClassLimits[k], 4, decimalSeparator),
                    std::to_string(table.ClassCounts[k])});
    total = static_cast<std::uint16_t>(total + table.ClassCounts[k]);
  }
  rows.push_back({"Total", std::to_string(total)});
  return rows;
}

StatisticsTexts MakeStatisticsTexts(const DistributionStats& s, std::string_view sep) {
  StatisticsTexts t;
  t.val_rel = FormatFixed(s.ObservedValue, 4, sep);
  t.oval_reel = FormatFixed(-s.ObservedValue, 4, sep);
  // The first triple is against |observed|, the second against -|observed|: for a value that is
  // not positive the second one is the comparison with the value itself.
  const bool positive = s.ObservedValue > 0;
  const std::optional<double>* left[3] = {&s.PctAbove, &s.PctEqual, &s.PctBelow};
  const std::optional<double>* right[3] = {&s.OppPctAbove, &s.OppPctEqual, &s.OppPctBelow};
  if (!positive) std::swap(left, right);
  t.pour100 = Format(*left[0], 2, sep);
  t.pourc_egal = Format(*left[1], 2, sep);
  t.pourc_inf = Format(*left[2], 2, sep);
  t.opour100 = Format(*right[0], 2, sep);
  t.opourc_egal = Format(*right[1], 2, sep);
  t.opourc_inf = Format(*right[2], 2, sep);
  t.val_min = FormatFixed(s.LowestValue, 4, sep);
  t.val_max = FormatFixed(s.HighestValue, 4, sep);
  t.val_mean = Format(s.DistMean, 4, sep);
  t.std_dev = Format(SquareRoot(s.DistVariance), 4, sep);
  t.coef_as = Format(s.DistSkewness, 4, sep);
  t.coef_ap = Format(s.DistKurtosis, 4, sep);
  t.class_r = std::to_string(s.ObservedClass);
  return t;
}

}  // namespace vodave
