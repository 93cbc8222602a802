#include "analysis/fixed_format.h"

#include <charconv>
#include <system_error>

namespace relakin {
namespace {

void AppendJustified(std::string& out, const char* first, const char* last, int width) {
  const auto len = static_cast<std::size_t>(last - first);
  if (width > 0 && len < static_cast<std::size_t>(width)) out.append(width - len, ' ');
  out.append(first, len);
}

}  // namespace

void AppendFixed(std::string& out, double value, int width, int decimals) {
  char small[64];
  auto [end, ec] =
      std::to_chars(small, small + sizeof small, value, std::chars_format::fixed, decimals);
  if (ec == std::errc()) return AppendJustified(out, small, end, width);
  // Only huge magnitudes need more room than the stack buffer.
  std::string big(400 + static_cast<std::size_t>(decimals), '\0');
  auto [big_end, big_ec] =
      std::to_chars(big.data(), big.data() + big.size(), value, std::chars_format::fixed, decimals);
  AppendJustified(out, big.data(), big_ec == std::errc() ? big_end : big.data(), width);
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
