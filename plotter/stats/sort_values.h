// The plotter's sort of its value buffer.
#pragma once

#include <cstddef>
#include <vector>

namespace vodave {

// Sorts values[l .. r] (inclusive, 0-based) ascending in place by the recursive partition sort
// with the middle element as pivot. Recurses into the smaller part only, so the depth stays
// logarithmic whatever the order of the input. Precondition: l <= r < values.size() or l > r.
void SortValues(std::vector<double>& values, std::size_t l, std::size_t r);

}  // namespace vodave
