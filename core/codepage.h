// The files and the table hold single-byte Windows-1252 text; the windows and messages use
// UTF-8. These convert at that boundary.
#pragma once

#include <string>
#include <string_view>

namespace relakin {

// Every byte maps to a character; the five bytes Windows-1252 leaves undefined map to U+FFFD.
std::string Cp1252ToUtf8(std::string_view bytes);

// A character outside the code page (or a malformed UTF-8 sequence) becomes "?".
std::string Utf8ToCp1252(std::string_view utf8);

}  // namespace relakin
