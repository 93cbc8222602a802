// How the plotter writes its reals for the user.
#pragma once

#include <string>
#include <string_view>

namespace vodave {

// `x` in fixed notation with `decimals` decimals after `decimalSeparator`, rounded half away
// from zero to at most 9 significant digits (so 123456.123456 with 4 decimals gives
// "123456.1230"). A value with more than 9 digits before the point is written as
// "d.ddddddddE+x". A value that rounds to zero carries no minus sign. Precondition: x is finite.
std::string FormatFixed(double x, int decimals, std::string_view decimalSeparator);

}  // namespace vodave
