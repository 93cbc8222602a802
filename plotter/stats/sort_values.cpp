#include "plotter/stats/sort_values.h"

#include <utility>

namespace vodave {

void SortValues(std::vector<double>& values, std::size_t l, std::size_t r) {
  // Signed cursors: j may step below l (and below 0) when a partition ends at its left edge.
  auto lo = static_cast<std::ptrdiff_t>(l);
  auto hi = static_cast<std::ptrdiff_t>(r);
  while (lo < hi) {
    std::ptrdiff_t i = lo;
    std::ptrdiff_t j = hi;
    const double pivot = values[static_cast<std::size_t>(lo + (hi - lo) / 2)];
    do {
      while (values[static_cast<std::size_t>(i)] < pivot) ++i;
      while (pivot < values[static_cast<std::size_t>(j)]) --j;
      if (i <= j) {
        std::swap(values[static_cast<std::size_t>(i)], values[static_cast<std::size_t>(j)]);
        ++i;
        --j;
      }
    } while (i <= j);
    // Same two sub-ranges as the plain recursion [lo, j] then [i, hi]; only the larger one is
    // taken by the loop instead of a call.
    if (j - lo < hi - i) {
      if (lo < j) SortValues(values, static_cast<std::size_t>(lo), static_cast<std::size_t>(j));
      lo = i;
    } else {
      if (i < hi) SortValues(values, static_cast<std::size_t>(i), static_cast<std::size_t>(hi));
      hi = j;
    }
  }
}

}  // namespace vodave
