#include "plotter/stats/fixed_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vodave {
namespace {

constexpr int kSignificantDigits = 9;

// |x| as 0.D1D2...D18 x 10^point (D1 != 0 unless x is 0).
struct Decimal {
  std::string digits;
  int point = 0;
};

Decimal ToDecimal(double x) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.17e", std::fabs(x));  // d.ddddddddddddddddde+XX
  Decimal d;
  d.digits = std::string(1, buf[0]) + std::string(buf + 2, 17);
  d.point = std::atoi(buf + 20) + 1;
  return d;
}

// Keeps the first `keep` digits, rounding half up on the digit after them; a carry out of the
// first digit moves the point.
Decimal RoundTo(const Decimal& d, int keep) {
  if (keep < 0) return {"", d.point};
  Decimal r{d.digits.substr(0, static_cast<std::size_t>(keep)), d.point};
  if (d.digits[static_cast<std::size_t>(keep)] < '5') return r;
  int i = keep - 1;
  for (; i >= 0 && r.digits[static_cast<std::size_t>(i)] == '9'; --i)
    r.digits[static_cast<std::size_t>(i)] = '0';
  if (i >= 0) {
    ++r.digits[static_cast<std::size_t>(i)];
  } else {
    r.digits.assign(1, '1');
    r.digits.append(static_cast<std::size_t>(std::max(keep - 1, 0)), '0');
    ++r.point;
  }
  return r;
}

char DigitAt(const Decimal& d, int index) {
  if (index < 0 || index >= static_cast<int>(d.digits.size())) return '0';
  return d.digits[static_cast<std::size_t>(index)];
}

bool IsZero(const Decimal& d) { return d.digits.find_first_not_of('0') == std::string::npos; }

std::string Scientific(double x, std::string_view sep) {
  const Decimal d = RoundTo(ToDecimal(x), kSignificantDigits);
  std::string out = x < 0 ? "-" : "";
  out += d.digits.substr(0, 1);
  out += sep;
  out += d.digits.substr(1);
  out += "E+" + std::to_string(d.point - 1);
  return out;
}

}  // namespace

std::string FormatFixed(double x, int decimals, std::string_view decimalSeparator) {
  const Decimal exact = ToDecimal(x);
  if (exact.point > kSignificantDigits) return Scientific(x, decimalSeparator);
  const Decimal d = x == 0 ? Decimal{"", 0}
                           : RoundTo(exact, std::min(kSignificantDigits, exact.point + decimals));
  if (d.point > kSignificantDigits) return Scientific(x, decimalSeparator);
  std::string out = (x < 0 && !IsZero(d)) ? "-" : "";
  if (d.point <= 0) out += '0';
  for (int i = 0; i < d.point; ++i) out += DigitAt(d, i);
  if (decimals > 0) {
    out += decimalSeparator;
    for (int j = 0; j < decimals; ++j) out += DigitAt(d, d.point + j);
  }
  return out;
}

}  // namespace vodave
