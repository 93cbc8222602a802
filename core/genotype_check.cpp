#include "core/genotype_check.h"

#include <cstdint>
#include <limits>

#include "core/errors.h"
#include "core/quoted_text.h"

namespace relakin {

namespace {

std::size_t TrimmedLength(std::string_view s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string_view::npos) return 0;
  return s.find_last_not_of(' ') - first + 1;
}

[[noreturn]] void FailNumber(std::string_view value) {
  throw Error(ErrorKind::Conversion, QuotedText(value) + " n'est pas un nombre entier valide.");
}

// The typed text with blanks as zeros, as a whole number; an optional "+" is accepted.
std::int64_t BlanksAsZeros(std::string_view value) {
  std::string_view digits = value;
  if (!digits.empty() && digits.front() == '+') digits.remove_prefix(1);
  if (digits.empty()) FailNumber(value);
  std::int64_t n = 0;
  for (char c : digits) {
    if (c == ' ') c = '0';
    if (c < '0' || c > '9') FailNumber(value);
    n = n * 10 + (c - '0');
    if (n > std::numeric_limits<std::int32_t>::max()) FailNumber(value);
  }
  return n;
}

}  // namespace

std::optional<std::string> CheckTypedGenotype(int col, int row, std::string_view value) {
  if (col == 1 || row == 1) return std::nullopt;
  if (TrimmedLength(value) != 6) return std::nullopt;
  const std::int64_t n = BlanksAsZeros(value);
  const std::int64_t a = n / 1000;
  const std::int64_t b = n % 1000;
  if ((a == 0 || b == 0) && n != 0) return std::string(kHalfMissingWarning);
  return std::nullopt;
}

}  // namespace relakin
