#include <gtest/gtest.h>

#include <clocale>

#include "analysis/fixed_format.h"

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

}  // namespace
}  // namespace relakin
