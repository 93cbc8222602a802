// Mean and sample standard deviation of a list of 64-bit reals, in extended precision, as the
// permutation test's statistics and the jackknife limits take them: mean = sum / n (the sum
// taken in list order), s = sqrt(sum of (mean - v)^2 / (n - 1)). A single value gives
// mean = s = that value. An empty list has neither (`defined` false, both 0).
#pragma once

#include <cmath>
#include <cstddef>

namespace relakin {

struct MeanStdDev {
  long double mean = 0, std_dev = 0;
  bool defined = false;
};

// values[0 .. n - 1].
inline MeanStdDev MeanAndStdDev(const double* values, std::size_t n) {
  MeanStdDev r;
  if (n == 0) return r;
  r.defined = true;
  if (n == 1) {
    r.mean = r.std_dev = values[0];
    return r;
  }
  long double sum = 0;
  for (std::size_t k = 0; k < n; ++k) sum += values[k];
  r.mean = sum / static_cast<long double>(n);
  long double squares = 0;
  for (std::size_t k = 0; k < n; ++k) {
    const long double d = r.mean - values[k];
    squares += d * d;
  }
  r.std_dev = std::sqrt(squares / static_cast<long double>(n - 1));
  return r;
}

}  // namespace relakin
