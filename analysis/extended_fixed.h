// Fixed notation for extended-precision values (the statistics of the permutation test and
// the jackknife limits), with the rules of AppendFixed (fixed_format.h): "." as the decimal
// point, right-justified in `width`, widened never cut, rounded from the exact binary value
// with exact halves away from zero. Not meant for bulk output.
#pragma once

#include <string>

namespace relakin {

// Precondition: decimals >= 0 and `value` finite.
void AppendFixedExtended(std::string& out, long double value, int width, int decimals);

}  // namespace relakin
