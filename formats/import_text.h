// The text of an imported file as the table holds it, and what the import had to change on the
// way in.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace relakin {

// What an import changed in the data on its way in, one sentence each for the user, said once
// the table is read. An import that had to change nothing leaves it empty.
using ImportWarnings = std::vector<std::string>;

// `bytes` as ForeignTextInCodePage gives it (no byte order mark; UTF-8 put into the code page).
// When characters had to become "?", says how many in `warnings` (when given), naming
// `fileName`. Throws Error(Input) for a UTF-16 file (its byte order mark says so), which the
// readers cannot take.
std::string ImportedText(std::string bytes, const std::string& fileName, ImportWarnings* warnings);

// Characters of code 32 or less (blanks, TABs, line ends, a Ctrl-Z...), which the readers take
// for blank.
inline bool IsBlankChar(char c) { return static_cast<unsigned char>(c) <= ' '; }
// A line of such characters alone, which the readers skip.
bool IsBlankLine(std::string_view text);

// `text` up to the Ctrl-Z (code 26) that older systems put at a file's end, when nothing but
// characters of code 32 or less (line ends, padding, more Ctrl-Z) follows it; otherwise `text`
// whole.
std::string_view WithoutEndOfFileMark(std::string_view text);

// The same for a reader, which must not stop at a Ctrl-Z followed by text: that most likely joins
// two files end to end, and ending there would drop the second. Throws Error(Input) naming
// `fileName` and the Ctrl-Z's line (lines end with LF, CR LF or a lone CR).
std::string TextBeforeEndOfFileMark(std::string text, const std::string& fileName);

}  // namespace relakin
