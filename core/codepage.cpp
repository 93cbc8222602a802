#include "core/codepage.h"

#include <array>
#include <cstdint>

namespace relakin {
namespace {

// Code points of the bytes 0x80..0x9F; 0 where the code page defines none.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

char EncodeCp1252(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (std::size_t i = 0; i < kHigh.size(); ++i) {
    if (kHigh[i] != 0 && kHigh[i] == cp) return static_cast<char>(0x80 + i);
  }
  return '?';
}

// The length of the well-formed UTF-8 sequence at s[i] and its code point in `cp`; 0 for a
// malformed one (a stray or missing continuation byte, an overlong form, a surrogate, a code
// point beyond U+10FFFF).
std::size_t DecodeUtf8(std::string_view s, std::size_t i, char32_t& cp) {
  const auto b = static_cast<unsigned char>(s[i]);
  const std::size_t len = b < 0x80           ? 1
                          : (b >> 5) == 0x6  ? 2
                          : (b >> 4) == 0xE  ? 3
                          : (b >> 3) == 0x1E ? 4
                                             : 0;
  if (len == 0 || i + len > s.size()) return 0;
  cp = len == 1 ? b : b & (0x7F >> len);
  for (std::size_t k = 1; k < len; ++k) {
    const auto c = static_cast<unsigned char>(s[i + k]);
    if ((c & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (c & 0x3F);
  }
  constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (cp < kLeast[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (unsigned char b : bytes) {
    char32_t cp = b;
    if (b >= 0x80 && b < 0xA0) cp = kHigh[b - 0x80] ? kHigh[b - 0x80] : 0xFFFD;
    AppendUtf8(out, cp);
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view s, std::size_t* unmapped) {
  std::size_t replaced = 0;
  std::string out;
  out.reserve(s.size());
  std::size_t i = 0;
  while (i < s.size()) {
    char32_t cp = 0;
    const std::size_t len = DecodeUtf8(s, i, cp);
    const char c = len == 0 ? '?' : EncodeCp1252(cp);
    // A '?' that was a '?' in the text is no replacement.
    if (c == '?' && !(len == 1 && cp == '?')) ++replaced;
    out += c;
    i += len == 0 ? 1 : len;
  }
  if (unmapped) *unmapped = replaced;
  return out;
}

bool IsUtf8BeyondAscii(std::string_view s) {
  bool beyond = false;
  for (std::size_t i = 0; i < s.size();) {
    char32_t cp = 0;
    const std::size_t len = DecodeUtf8(s, i, cp);
    if (len == 0) return false;
    beyond |= len > 1;
    i += len;
  }
  return beyond;
}

std::string_view WithoutByteOrderMark(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  return bytes;
}

std::string ForeignTextInCodePage(std::string bytes, std::size_t& unmapped) {
  unmapped = 0;
  const std::string_view text = WithoutByteOrderMark(bytes);
  if (IsUtf8BeyondAscii(text)) return Utf8ToCp1252(text, &unmapped);
  if (text.size() < bytes.size()) bytes.erase(0, bytes.size() - text.size());
  return bytes;
}

}  // namespace relakin
