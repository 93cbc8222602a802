#include "analysis/confidence_limits.h"

#include <cmath>
#include <span>

#include "analysis/extended_fixed.h"
#include "analysis/fixed_format.h"
#include "analysis/mean_and_std_dev.h"
#include "core/genotype_code.h"

namespace relakin {
namespace {

// The nearest integer, a half going to the even neighbour. c * 2.5 / 100 and c * 97.5 / 100
// are multiples of 1/40, so a double holds every half exactly.
std::uint32_t RoundHalfEven(double x) {
  const double f = std::floor(x);
  const double diff = x - f;
  auto r = static_cast<std::uint32_t>(f);
  if (diff > 0.5 || (diff == 0.5 && r % 2 == 1)) ++r;
  return r;
}

void AppendLimits(std::string& out, long double lower, long double upper) {
  AppendFixedExtended(out, lower, 6, 3);
  out += '_';
  AppendFixedExtended(out, upper, 6, 3);
  out += '\t';
}

}  // namespace

LimitRanks BootstrapLimitRanks(std::uint32_t c) {
  return {1 + RoundHalfEven(c * 2.5 / 100), RoundHalfEven(c * 97.5 / 100)};
}

void JackknifePseudoValues(const double* values, std::vector<double>& pseudo, std::uint16_t N) {
  const double theta = values[1];
  const double n = N;
  pseudo.resize(N);
  for (std::size_t b = 2; b <= std::size_t{N} + 1; ++b)
    pseudo[b - 2] = n * theta - (n - 1) * values[b];
}

void AppendBootstrapCell(std::string& out, double* values, std::uint32_t c) {
  if (c == 0) {
    out += kNoLimits;
    return;
  }
  HeapSortDoubles(c, std::span<double>(values, std::size_t{c} + 1));
  const LimitRanks r = BootstrapLimitRanks(c);
  AppendFixed(out, values[r.lo], 6, 3);
  out += '_';
  AppendFixed(out, values[r.hi], 6, 3);
  out += '\t';
}

void AppendJackknifeCell(std::string& out, const double* values, std::uint32_t c,
                         bool real_computed, std::vector<double>& pseudo) {
  if (c < 2 || !real_computed) {
    out += kNoLimits;
    return;
  }
  const auto N = static_cast<std::uint16_t>(c - 1);
  JackknifePseudoValues(values, pseudo, N);
  const MeanStdDev m = MeanAndStdDev(pseudo.data(), N);
  const long double z = 1.96L;
  AppendLimits(out, m.mean - z * m.std_dev, m.mean + z * m.std_dev);
}

}  // namespace relakin
