// How the result files write numbers: fixed notation with "." as the decimal point whatever the
// locale, right-justified with blanks in a field of `width` characters; a number longer than
// its field widens it and is never cut. Rounding to `decimals` is taken from the exact binary
// value; a value exactly halfway goes away from zero (0.25 -> "0.3", -0.125 -> "-0.13").
// Appending to a caller-owned string allocates nothing once it has capacity (ties apart).
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
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

namespace detail {

inline constexpr std::uint64_t kPowersOfTen[] = {1ull,
                                                 10ull,
                                                 100ull,
                                                 1000ull,
                                                 10000ull,
                                                 100000ull,
                                                 1000000ull,
                                                 10000000ull,
                                                 100000000ull,
                                                 1000000000ull,
                                                 10000000000ull,
                                                 100000000000ull,
                                                 1000000000000ull,
                                                 10000000000000ull,
                                                 100000000000000ull,
                                                 1000000000000000ull,
                                                 10000000000000000ull,
                                                 100000000000000000ull,
                                                 1000000000000000000ull,
                                                 10000000000000000000ull};
inline constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";
inline constexpr char kCellBlanks[] = "                ";  // the padding of a cell in place

// The characters of q / 10^decimals in fixed notation, with a sign when negative.
inline int FixedLength(std::uint64_t q, int decimals, bool negative) {
  int length = 1 + (decimals > 0 ? decimals + 1 : 0) + (negative ? 1 : 0);
  for (int k = decimals + 1; k < 20 && q >= kPowersOfTen[k]; ++k) ++length;
  return length;
}

// q / 10^decimals in fixed notation, written backwards from `end`; returns the first character.
// Divides only by constants (which compile to multiplications).
inline char* WriteFixedDigits(char* end, std::uint64_t q, int decimals) {
  char* p = end;
  int k = decimals;
  for (; k >= 2; k -= 2) {
    p -= 2;
    std::memcpy(p, kDigitPairs + 2 * (q % 100), 2);
    q /= 100;
  }
  if (k == 1) {
    *--p = static_cast<char>('0' + q % 10);
    q /= 10;
  }
  if (decimals > 0) *--p = '.';
  while (q >= 100) {
    p -= 2;
    std::memcpy(p, kDigitPairs + 2 * (q % 100), 2);
    q /= 100;
  }
  if (q >= 10) {
    p -= 2;
    std::memcpy(p, kDigitPairs + 2 * q, 2);
  } else {
    *--p = static_cast<char>('0' + q);
  }
  return p;
}

}  // namespace detail

// The cells of a matrix: one width and precision, many values. Write gives WriteBlankAndFixed's
// bytes and result, with the set-up done once and the usual case inline: fields up to
// kInPlaceWidth wide, values below 2^52 once scaled and not within rounding error of a tie.
class FixedCells {
 public:
  static constexpr int kInPlaceWidth = 15;

  FixedCells(int width, int decimals);

  char* Write(char* dest, double value) const {
    const double t = std::fabs(value) * scale_;
    if (in_place_ && t < 0x1p52) {
      const auto whole = static_cast<std::int64_t>(t);         // truncation: the floor here
      const double fraction = t - static_cast<double>(whole);  // exact
      if (std::fabs(fraction - 0.5) > t * 0x1p-51) {
        const std::uint64_t q = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
        const bool negative = std::signbit(value);
        char* const end =
            dest + 1 +
            (q < limit_[negative] ? width_ : detail::FixedLength(q, decimals_, negative));
        std::memcpy(dest, detail::kCellBlanks, sizeof detail::kCellBlanks - 1);
        char* p = detail::WriteFixedDigits(end, q, decimals_);
        if (negative) p[-1] = '-';
        return end;
      }
    }
    return WriteBlankAndFixed(dest, value, width_, decimals_);
  }

 private:
  int width_, decimals_;
  bool in_place_ = false;
  double scale_ = 0;                 // 10^decimals
  std::uint64_t limit_[2] = {0, 0};  // per sign: the magnitudes that fit the field
};

}  // namespace relakin
