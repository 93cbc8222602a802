#include "analysis/fixed_format.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace relakin {
namespace {

// Extra digits that show whether a value is exactly halfway: a double that is not a tie lies
// further than this from one at any magnitude the files print with up to a few decimals.
constexpr int kTieDigits = 25;

void AppendJustified(std::string& out, const char* first, const char* last, int width) {
  const auto len = static_cast<std::size_t>(last - first);
  if (width > 0 && len < static_cast<std::size_t>(width)) out.append(width - len, ' ');
  out.append(first, len);
}

// to_chars in fixed notation into `buf`, falling back to `big` for huge magnitudes.
std::string_view ToFixed(double value, int decimals, char (&buf)[96], std::string& big) {
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
  if (ec == std::errc()) return std::string_view(buf, end - buf);
  big.assign(330 + static_cast<std::size_t>(decimals), '\0');
  auto [big_end, big_ec] =
      std::to_chars(big.data(), big.data() + big.size(), value, std::chars_format::fixed, decimals);
  return std::string_view(big.data(), big_ec == std::errc() ? big_end - big.data() : 0);
}

// Cheap screen: only values whose scaled fraction is close to one half can be ties.
bool NearTie(double value, int decimals) {
  static constexpr double kScale[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                      1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  if (decimals < 0 || decimals > 15) return false;
  const double t = std::fabs(value) * kScale[decimals];
  if (t > 1e15) return false;
  return std::fabs(t - std::floor(t) - 0.5) < 1e-6;
}

// The value rounded to `decimals` with exact halves going away from zero, when it is an exact
// half; empty otherwise.
std::string TieRoundedAway(double value, int decimals) {
  char buf[96];
  std::string big;
  const std::string_view s = ToFixed(value, decimals + kTieDigits, buf, big);
  const std::size_t point = s.find('.');
  if (point == std::string_view::npos) return {};
  const std::string_view rest = s.substr(point + 1 + decimals);
  if (rest.empty() || rest[0] != '5' || rest.find_first_not_of('0', 1) != std::string_view::npos)
    return {};
  std::string r(s.substr(0, decimals > 0 ? point + 1 + decimals : point));
  std::size_t k = r.size();
  while (k > 0) {
    --k;
    if (r[k] == '.') continue;
    if (r[k] == '-') break;
    if (r[k] != '9') {
      ++r[k];
      return r;
    }
    r[k] = '0';
  }
  r.insert(r[0] == '-' ? 1 : 0, 1, '1');
  return r;
}

}  // namespace

void AppendFixed(std::string& out, double value, int width, int decimals) {
  if (NearTie(value, decimals)) {
    const std::string tie = TieRoundedAway(value, decimals);
    if (!tie.empty()) return AppendJustified(out, tie.data(), tie.data() + tie.size(), width);
  }
  char buf[96];
  std::string big;
  const std::string_view s = ToFixed(value, decimals, buf, big);
  AppendJustified(out, s.data(), s.data() + s.size(), width);
}

void AppendInteger(std::string& out, std::int64_t value, int width) {
  char buf[24];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
  (void)ec;
  AppendJustified(out, buf, end, width);
}

void AppendBlanks(std::string& out, std::size_t count) { out.append(count, ' '); }

std::string FormatFixed(double value, int width, int decimals) {
  std::string s;
  AppendFixed(s, value, width, decimals);
  return s;
}

}  // namespace relakin
