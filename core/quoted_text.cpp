#include "core/quoted_text.h"

#include "core/codepage.h"

namespace relakin {
namespace {

// Shown as nothing, or as a replacement sign the user cannot find in the file: named instead.
std::string NamedCharacter(unsigned char c) {
  switch (c) {
    case 0:
      return "[NUL]";
    case '\t':
      return "[TAB]";
    case '\n':
      return "[LF]";
    case '\r':
      return "[CR]";
    case 27:
      return "[Échap]";
    case 127:
      return "[DEL]";
    default:
      break;
  }
  if (c < ' ') return std::string("[Ctrl-") + char('A' + c - 1) + "]";
  // A byte the code page leaves undefined.
  static const char kHex[] = "0123456789ABCDEF";
  return std::string("[0x") + kHex[c >> 4] + kHex[c & 15] + "]";
}

}  // namespace

std::string ExcerptOf(std::string_view cp1252) {
  const bool cut = cp1252.size() > kQuotedLength;
  std::string out;
  for (const char c : cp1252.substr(0, kQuotedLength)) {
    const auto b = static_cast<unsigned char>(c);
    const std::string shown = Cp1252ToUtf8(std::string_view(&c, 1));
    out += b < ' ' || b == 127 || shown == "\uFFFD" ? NamedCharacter(b) : shown;
  }
  return cut ? out + "\u2026" : out;
}

std::string QuotedText(std::string_view cp1252) { return "« " + ExcerptOf(cp1252) + " »"; }

}  // namespace relakin
