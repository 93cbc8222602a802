#include "analysis/fast_fixed.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <system_error>

#include "analysis/fixed_format.h"

namespace relakin {
namespace {

__extension__ typedef unsigned __int128 Wide;

constexpr std::uint64_t kPow10[] = {1ull,
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
                                    1000000000000000ull};

void AppendJustified(std::string& out, const char* first, std::size_t len, int width) {
  if (width > 0 && len < static_cast<std::size_t>(width)) out.append(width - len, ' ');
  out.append(first, len);
}

// |value| * 10^decimals rounded with halves away from zero, when it fits in 62 bits.
bool ScaledMagnitude(double value, int decimals, std::uint64_t& q) {
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
  const int biased = static_cast<int>((bits >> 52) & 0x7FF);
  std::uint64_t m = bits & ((1ull << 52) - 1);
  int e;
  if (biased == 0) {
    e = -1074;  // zero or subnormal
  } else {
    m |= 1ull << 52;
    e = biased - 1075;
  }
  // |value| = m * 2^e exactly; the product m * 10^d needs at most 53 + 50 bits.
  const Wide p = static_cast<Wide>(m) * kPow10[decimals];
  if (e >= 0) {
    if (e > 8 || (p >> (62 - e)) != 0) return false;
    q = static_cast<std::uint64_t>(p << e);
    return true;
  }
  const int shift = -e;
  if (shift >= 120) {
    q = 0;  // below 2^-67 * 10^d / 2^53: far less than one half
    return true;
  }
  const Wide whole = p >> shift;
  const Wide rest = p - (whole << shift);
  const Wide half = static_cast<Wide>(1) << (shift - 1);
  if ((whole >> 62) != 0) return false;
  q = static_cast<std::uint64_t>(whole) + (rest >= half ? 1 : 0);
  return true;
}

char* WriteDigits(char* end, std::uint64_t v, int min_digits) {
  char* p = end;
  do {
    *--p = static_cast<char>('0' + v % 10);
    v /= 10;
    --min_digits;
  } while (v != 0 || min_digits > 0);
  return p;
}

std::string_view Expansion(long double value, int digits, char (&buf)[160], std::string& big) {
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, digits);
  if (ec == std::errc()) return std::string_view(buf, end - buf);
  big.assign(5000 + static_cast<std::size_t>(digits), '\0');
  auto [big_end, big_ec] =
      std::to_chars(big.data(), big.data() + big.size(), value, std::chars_format::fixed, digits);
  return std::string_view(big.data(), big_ec == std::errc() ? big_end - big.data() : 0);
}

}  // namespace

void AppendFixedFast(std::string& out, double value, int width, int decimals) {
  std::uint64_t q;
  if (decimals < 0 || decimals > 15 || !ScaledMagnitude(value, decimals, q))
    return AppendFixed(out, value, width, decimals);
  char buf[40];
  char* const end = buf + sizeof buf;
  char* p = end;
  if (decimals > 0) {
    p = WriteDigits(end, q % kPow10[decimals], decimals);
    *--p = '.';
    q /= kPow10[decimals];
  }
  p = WriteDigits(p, q, 1);
  if (std::signbit(value)) *--p = '-';
  AppendJustified(out, p, static_cast<std::size_t>(end - p), width);
}

void AppendFixedExtended(std::string& out, long double value, int width, int decimals) {
  // 64 extra digits hold the whole binary fraction of any value these files print, so a half
  // shows as a 5 followed by zeros only.
  constexpr int kExtra = 64;
  char buf[160];
  std::string big;
  const std::string_view s = Expansion(value, decimals + kExtra, buf, big);
  const std::size_t point = s.find('.');
  std::string r(s.substr(0, decimals > 0 ? point + 1 + decimals : point));
  if (s[point + 1 + decimals] >= '5') {
    // Round the magnitude up: a half or more of the last kept digit (the expansion is exact).
    std::size_t k = r.size();
    bool carried = true;
    while (carried && k > 0) {
      --k;
      if (r[k] == '.') continue;
      if (r[k] == '-') break;
      if (r[k] != '9') {
        ++r[k];
        carried = false;
      } else {
        r[k] = '0';
      }
    }
    if (carried) r.insert(r[0] == '-' ? 1 : 0, 1, '1');
  }
  AppendJustified(out, r.data(), r.size(), width);
}

}  // namespace relakin
