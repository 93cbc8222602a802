// Table or file text quoted in a message for the user.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace relakin {

// Characters of a field a message quotes at most; a field from a hostile file can be as long as
// the file, and a message box over it would take minutes to appear.
inline constexpr std::size_t kQuotedLength = 40;

// "« " + the code-page text in UTF-8 + " »", cut to its first kQuotedLength characters followed
// by "…" when longer.
std::string QuotedText(std::string_view cp1252);

// The same without the quotation marks: the first kQuotedLength characters, and "…" when cut.
// A character the user could not see or find in the file is named in brackets: "[TAB]",
// "[Ctrl-Z]", "[NUL]", "[CR]", "[LF]", "[Échap]", "[DEL]", and "[0x81]" for a byte the code
// page leaves undefined.
std::string ExcerptOf(std::string_view cp1252);

}  // namespace relakin
