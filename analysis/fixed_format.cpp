#include "analysis/fixed_format.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>
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

__extension__ typedef unsigned __int128 Wide;

// |value| * 10^decimals rounded, exact halves away from zero, from the exact binary value;
// false when it does not fit 60 bits (then the general path prints it).
bool ExactScaledMagnitude(double value, int decimals, std::uint64_t& q) {
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const int biased = static_cast<int>((bits >> 52) & 0x7FF);
  if (biased == 0x7FF) return false;  // infinity or NaN
  std::uint64_t m = bits & ((std::uint64_t{1} << 52) - 1);
  int e = -1074;
  if (biased != 0) {
    m |= std::uint64_t{1} << 52;
    e = biased - 1075;
  }
  const Wide p = static_cast<Wide>(m) * detail::kPowersOfTen[decimals];  // |value| * 10^d = p * 2^e
  if (e >= 0) {
    if (e > 7 || (p >> (60 - e)) != 0) return false;
    q = static_cast<std::uint64_t>(p << e);
    return true;
  }
  const int shift = -e;
  if (shift >= 127) {
    q = 0;  // far below one half
    return true;
  }
  const Wide whole = p >> shift;
  if ((whole >> 60) != 0) return false;
  const Wide rest = p - (whole << shift);
  q = static_cast<std::uint64_t>(whole) + (rest >= (static_cast<Wide>(1) << (shift - 1)) ? 1 : 0);
  return true;
}

// The same, first through one double multiplication: its result t is within half an ulp of
// the exact product, so unless t lies within that distance of a half, rounding t gives the
// exact answer. Only values near a half take the 128-bit path.
inline bool ScaledMagnitude(double value, int decimals, std::uint64_t& q) {
  static constexpr double kScale[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
  const double t = std::fabs(value) * kScale[decimals];
  if (t < 0x1p52) {
    const auto whole = static_cast<std::int64_t>(t);         // truncation: the floor here
    const double fraction = t - static_cast<double>(whole);  // exact
    if (std::fabs(fraction - 0.5) > t * 0x1p-51) {
      q = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
      return true;
    }
  }
  return ExactScaledMagnitude(value, decimals, q);
}

// The magnitudes q (value * 10^decimals) below which a value of that sign fits its field; 0
// when none does.
std::uint64_t FittingLimit(int width, int decimals, bool negative) {
  const int whole = width - (decimals > 0 ? decimals + 1 : 0) - (negative ? 1 : 0);
  return whole < 1 ? 0 : detail::kPowersOfTen[whole + decimals];
}

// Writes the field (and the leading blank) into one buffer and appends it at once: the cells
// of a matrix are many and short.
bool AppendFixedScaled(std::string& out, double value, int width, int decimals, bool lead) {
  std::uint64_t q;
  if (decimals < 0 || decimals > 9 || width > 40 || !ScaledMagnitude(value, decimals, q))
    return false;
  char buf[64];
  char* const end = buf + sizeof buf;
  char* p = end;
  p = detail::WriteFixedDigits(end, q, decimals);
  if (std::signbit(value)) *--p = '-';
  while (end - p < width) *--p = ' ';
  if (lead) *--p = ' ';
  out.append(p, static_cast<std::size_t>(end - p));
  return true;
}

}  // namespace

char* WriteBlankAndFixed(char* dest, double value, int width, int decimals) {
  std::uint64_t q;
  if (decimals < 0 || decimals > 9 || width > 40 || !ScaledMagnitude(value, decimals, q))
    return nullptr;
  // Digits are written backwards from `end`; the field is then copied as a fixed 48-byte block
  // (inlined moves, no call), of which only its own bytes are kept.
  char buf[128];
  char* const end = buf + 64;
  std::memset(end, ' ', 48);
  char* p = end;
  p = detail::WriteFixedDigits(end, q, decimals);
  if (std::signbit(value)) *--p = '-';
  while (end - p < width) *--p = ' ';
  *--p = ' ';
  std::memcpy(dest, p, 48);
  return dest + (end - p);
}

namespace {

void AppendFixedImpl(std::string& out, double value, int width, int decimals, bool lead) {
  if (AppendFixedScaled(out, value, width, decimals, lead)) return;
  if (lead) out += ' ';
  if (NearTie(value, decimals)) {
    const std::string tie = TieRoundedAway(value, decimals);
    if (!tie.empty()) return AppendJustified(out, tie.data(), tie.data() + tie.size(), width);
  }
  char buf[96];
  std::string big;
  const std::string_view s = ToFixed(value, decimals, buf, big);
  AppendJustified(out, s.data(), s.data() + s.size(), width);
}

}  // namespace

FixedCells::FixedCells(int width, int decimals) : width_(width), decimals_(decimals) {
  if (decimals < 0 || decimals > 9 || width < 0 || width > kInPlaceWidth) return;  // never in place
  in_place_ = true;
  scale_ = static_cast<double>(detail::kPowersOfTen[decimals]);  // exact
  limit_[0] = FittingLimit(width, decimals, false);
  limit_[1] = FittingLimit(width, decimals, true);
}

void AppendFixed(std::string& out, double value, int width, int decimals) {
  AppendFixedImpl(out, value, width, decimals, false);
}

void AppendBlankAndFixed(std::string& out, double value, int width, int decimals) {
  AppendFixedImpl(out, value, width, decimals, true);
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
