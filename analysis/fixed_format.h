// How the result files write numbers: fixed notation with "." as the decimal point whatever the
// locale, right-justified with blanks in a field of `width` characters; a number longer than
// its field widens it and is never cut. Rounding to `decimals` is taken from the exact binary
// value; a value exactly halfway goes away from zero (0.25 -> "0.3", -0.125 -> "-0.13").
// Appending to a caller-owned string allocates nothing once it has capacity (ties apart).
#pragma once

#include <cstdint>
#include <string>

namespace relakin {

void AppendFixed(std::string& out, double value, int width, int decimals);
// A blank, then AppendFixed: one cell of a matrix.
void AppendBlankAndFixed(std::string& out, double value, int width, int decimals);
// The same cell written at dest, which must have kCellRoom writable bytes; returns the end of
// what was written, or nullptr when the value needs AppendBlankAndFixed (huge magnitudes, more
// than 9 decimals, fields wider than 40).
inline constexpr std::size_t kCellRoom = 64;
char* WriteBlankAndFixed(char* dest, double value, int width, int decimals);
void AppendInteger(std::string& out, std::int64_t value, int width = 0);
void AppendBlanks(std::string& out, std::size_t count);

std::string FormatFixed(double value, int width, int decimals);

}  // namespace relakin
