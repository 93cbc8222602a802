#include "analysis/extended_fixed.h"

#include <charconv>
#include <cstdint>
#include <string_view>
#include <system_error>

namespace relakin {
namespace {

void AppendJustified(std::string& out, const char* first, std::size_t len, int width) {
  if (width > 0 && len < static_cast<std::size_t>(width)) out.append(width - len, ' ');
  out.append(first, len);
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
