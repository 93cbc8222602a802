// Fixed notation for the bulk of the vector files, where formatting dominates the run: the same
// characters as AppendFixed (fixed_format.h), exact halves away from zero included, about ten
// times faster. Values too large for the fast path take AppendFixed itself.
#pragma once

#include <string>

namespace relakin {

// Precondition: 0 <= decimals <= 15 and `value` finite.
void AppendFixedFast(std::string& out, double value, int width, int decimals);

// The same for an extended-precision value (the statistics of the permutation test and the
// jackknife limits), through the exact decimal expansion; not meant for bulk output.
void AppendFixedExtended(std::string& out, long double value, int width, int decimals);

}  // namespace relakin
