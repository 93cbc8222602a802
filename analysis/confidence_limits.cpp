#include "analysis/confidence_limits.h"

#include <algorithm>
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

constexpr std::uint32_t kSmallRank = 8;

// The k-th smallest of values[1 .. c], keeping the k smallest (or largest) met so far when k
// lies near either end, which is where the limits' ranks are.
double RankValue(double* values, std::uint32_t c, std::uint32_t k) {
  const std::uint32_t from_top = c - k + 1;
  if (std::min(k, from_top) > kSmallRank) {
    std::nth_element(values + 1, values + k, values + c + 1);
    return values[k];
  }
  const bool low = k <= from_top;
  const std::uint32_t keep = low ? k : from_top;
  double best[kSmallRank];  // ascending from the rank's side: best[keep - 1] is the answer
  std::uint32_t n = 0;
  auto before = [low](double a, double b) { return low ? a < b : a > b; };
  for (std::uint32_t i = 1; i <= c; ++i) {
    const double v = values[i];
    if (n == keep && !before(v, best[keep - 1])) continue;
    std::uint32_t p = n < keep ? n++ : keep - 1;
    while (p > 0 && before(v, best[p - 1])) {
      best[p] = best[p - 1];
      --p;
    }
    best[p] = v;
  }
  return best[keep - 1];
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
  const LimitRanks r = BootstrapLimitRanks(c);
  // Values that compare equal have the same bits, so any sort puts the same numbers at the two
  // ranks, except +0 and -0, which print differently: only then does the heap sort's own
  // arrangement decide, and then it is taken.
  bool positive_zero = false, negative_zero = false;
  for (std::uint32_t k = 1; k <= c; ++k)
    if (values[k] == 0) (std::signbit(values[k]) ? negative_zero : positive_zero) = true;
  if (positive_zero && negative_zero) {
    HeapSortDoubles(c, std::span<double>(values, std::size_t{c} + 1));
    AppendFixed(out, values[r.lo], 6, 3);
    out += '_';
    AppendFixed(out, values[r.hi], 6, 3);
  } else {
    AppendFixed(out, RankValue(values, c, r.lo), 6, 3);
    out += '_';
    AppendFixed(out, RankValue(values, c, r.hi), 6, 3);
  }
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
  // A single pseudo-value is its own s, and a negative one would turn the limits round.
  const long double spread = std::fabs(m.std_dev);
  const long double z = 1.96L;
  AppendLimits(out, m.mean - z * spread, m.mean + z * spread);
}

}  // namespace relakin
