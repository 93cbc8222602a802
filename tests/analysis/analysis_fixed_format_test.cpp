#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "analysis/fixed_format.h"
#include "analysis/random.h"

namespace relakin {
namespace {

TEST(FixedFormat, Table) {
  struct Case {
    double value;
    int width, decimals;
    const char* text;
  } const cases[] = {
      {0.707106781, 4, 2, "0.71"},
      {0.5, 7, 5, "0.50000"},
      {-0.25, 3, 1, "-0.3"},
      {0.25, 3, 1, "0.3"},
      {-0.125, 6, 2, " -0.13"},
      {0.375, 0, 2, "0.38"},
      {2.675, 0, 2, "2.67"},
      {0.5, 0, 0, "1"},
      {99.5, 0, 0, "100"},
      {-9.95, 0, 1, "-9.9"},
      {-9.75, 0, 1, "-9.8"},
      {999.999, 4, 2, "1000.00"},
      {12345.0, 3, 1, "12345.0"},
      {0.0001, 8, 3, "   0.000"},
      {1e22, 0, 1, "10000000000000000000000.0"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatFixed(c.value, c.width, c.decimals), c.text);
}

TEST(FixedFormat, IgnoresTheLocaleAndJustifiesIntegers) {
  std::setlocale(LC_ALL, "fr_FR.UTF-8");  // where it exists, "," would be its decimal point
  EXPECT_EQ(FormatFixed(0.5, 5, 2), " 0.50");
  std::setlocale(LC_ALL, "C");
  std::string s;
  AppendInteger(s, 7, 3);
  AppendInteger(s, 1000, 3);
  AppendBlanks(s, 2);
  EXPECT_EQ(s, "  71000  ");
}

// Away from exact halves the result is the correctly rounded decimal, as to_chars gives it.
TEST(FixedFormat, AgreesWithCorrectRoundingOnRandomValues) {
  RandomGenerator r(99);
  char buf[512];
  for (int k = 0; k < 200000; ++k) {
    const double mantissa = (static_cast<double>(r.Below(4000000000u)) - 2e9) / 1e9;
    const double v = std::ldexp(mantissa, static_cast<int>(r.Below(90)) - 60);
    const int d = static_cast<int>(r.Below(10));
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, d);
    ASSERT_EQ(ec, std::errc());
    std::string expected(buf, end);
    auto [wide_end, wide_ec] =
        std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, d + 60);
    ASSERT_EQ(wide_ec, std::errc());
    const std::string wide(buf, wide_end);
    const std::string tail = wide.substr(wide.find('.') + 1 + d);
    if (tail[0] == '5' && tail.find_first_not_of('0', 1) == std::string::npos) continue;  // a tie
    ASSERT_EQ(FormatFixed(v, 0, d), expected) << v << " with " << d << " decimals";
  }
}

// The in-place cell writers of the matrices give AppendBlankAndFixed's bytes: fields that fit,
// fields one character short, rounding that adds a digit, exact ties, signs and signed zeros.
TEST(FixedFormat, CellWritersAgreeWithAppend) {
  RandomGenerator r(7);
  std::vector<double> values = {0.0,   -0.0,  0.004,  -0.004,   9.995, -9.995, 99.99,
                                999.5, 1e15,  -1e15,  0.5,      -0.5,  0.125,  -0.125,
                                2.5,   1e300, 5e-324, HUGE_VAL, NAN};
  for (int k = 0; k < 5000; ++k) {
    const double mantissa = (static_cast<double>(r.Below(4000000000u)) - 2e9) / 1e9;
    values.push_back(std::ldexp(mantissa, static_cast<int>(r.Below(40)) - 20));
  }
  char one[kCellRoom], other[kCellRoom];
  for (int width = 0; width <= 17; ++width) {
    for (int decimals = 0; decimals <= 10; ++decimals) {
      const FixedCells cells(width, decimals);
      for (const double v : values) {
        std::string expected;
        AppendBlankAndFixed(expected, v, width, decimals);
        const char* end = WriteBlankAndFixed(one, v, width, decimals);
        const char* cells_end = cells.Write(other, v);
        ASSERT_EQ(end == nullptr, cells_end == nullptr) << v << " in " << width << "." << decimals;
        if (end == nullptr) continue;  // the caller then appends
        ASSERT_EQ(std::string(static_cast<const char*>(one), end), expected) << v;
        ASSERT_EQ(std::string(static_cast<const char*>(other), cells_end), expected) << v;
      }
    }
  }
}

}  // namespace
}  // namespace relakin
