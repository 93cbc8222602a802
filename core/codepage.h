// The files and the table hold single-byte Windows-1252 text; the windows and messages use
// UTF-8. These convert at that boundary.
#pragma once

#include <string>
#include <string_view>

namespace relakin {

// Every byte maps to a character; the five bytes Windows-1252 leaves undefined map to U+FFFD.
std::string Cp1252ToUtf8(std::string_view bytes);

// A character outside the code page (or a malformed UTF-8 sequence) becomes "?"; `unmapped`,
// when given, receives how many did.
std::string Utf8ToCp1252(std::string_view utf8, std::size_t* unmapped = nullptr);

// True when `bytes` is well-formed UTF-8 (no overlong form, surrogate or code point beyond
// U+10FFFF) and holds at least one character beyond ASCII: text that other tools wrote in UTF-8
// rather than in the code page.
bool IsUtf8BeyondAscii(std::string_view bytes);

// `bytes` without the UTF-8 byte order mark that spreadsheets and many editors put first.
std::string_view WithoutByteOrderMark(std::string_view bytes);

// The text of a file another tool wrote, the way the table holds text: without a byte order
// mark, and converted from UTF-8 into the code page when it is well-formed UTF-8 holding
// characters beyond ASCII (text already in the code page is left as it is). `unmapped` receives
// how many characters the code page could not hold, each now "?".
std::string ForeignTextInCodePage(std::string bytes, std::size_t& unmapped);

}  // namespace relakin
