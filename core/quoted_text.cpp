#include "core/quoted_text.h"

#include "core/codepage.h"

namespace relakin {

std::string ExcerptOf(std::string_view cp1252) {
  const bool cut = cp1252.size() > kQuotedLength;
  std::string out;
  for (const char c : Cp1252ToUtf8(cp1252.substr(0, kQuotedLength))) {
    // A NUL would end the message where it is shown; other control characters but the TAB show
    // as nothing.
    if (static_cast<unsigned char>(c) < ' ' && c != '\t')
      out += "\uFFFD";
    else
      out += c;
  }
  return cut ? out + "\u2026" : out;
}

std::string QuotedText(std::string_view cp1252) { return "« " + ExcerptOf(cp1252) + " »"; }

}  // namespace relakin
