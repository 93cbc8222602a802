#include "core/quoted_text.h"

#include "core/codepage.h"

namespace relakin {

std::string ExcerptOf(std::string_view cp1252) {
  if (cp1252.size() <= kQuotedLength) return Cp1252ToUtf8(cp1252);
  return Cp1252ToUtf8(cp1252.substr(0, kQuotedLength)) + "\u2026";
}

std::string QuotedText(std::string_view cp1252) { return "« " + ExcerptOf(cp1252) + " »"; }

}  // namespace relakin
