#include <gtest/gtest.h>

#include "plotter/stats/fixed_format.h"

namespace vodave {
namespace {

TEST(VodaveFixedFormatTest, WritesFixedNotationWithAtMostNineSignificantDigits) {
  struct Case {
    double x;
    int decimals;
    const char* text;
  } cases[] = {
      {0.5, 4, "0.5000"},
      {-0.5, 4, "-0.5000"},
      {0.0, 4, "0.0000"},
      {-0.0, 4, "0.0000"},
      {-0.00004, 4, "0.0000"},  // rounds to zero: no minus sign
      {0.00005, 4, "0.0001"},
      {0.00006, 4, "0.0001"},
      {100.0, 2, "100.00"},
      {50.0, 2, "50.00"},
      {16.666666666666668, 2, "16.67"},
      {8.333333333333334, 2, "8.33"},
      {3.125, 2, "3.13"},  // halves go away from zero
      {-3.125, 2, "-3.13"},
      {0.99996, 4, "1.0000"},
      {9.99995, 4, "10.0000"},
      {123456.123456, 4, "123456.1230"},
      {0.041666667, 4, "0.0417"},
      {999999999.4, 4, "999999999.0000"},
      {12.0, 0, "12"},
      {1234567890.0, 4, "1.23456789E+9"},
      {999999999.6, 4, "1.00000000E+9"},
      {-2.5e15, 4, "-2.50000000E+15"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatFixed(c.x, c.decimals, "."), c.text) << c.x;
}

TEST(VodaveFixedFormatTest, UsesTheGivenDecimalSeparator) {
  EXPECT_EQ(FormatFixed(-0.125, 4, ","), "-0,1250");
  EXPECT_EQ(FormatFixed(91.66666666666667, 2, ","), "91,67");
  EXPECT_EQ(FormatFixed(7.0, 0, ","), "7");
}

}  // namespace
}  // namespace vodave
