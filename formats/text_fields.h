// How the delimited-text import and its preview cut a file into lines and a line into fields.
#pragma once

#include <string_view>
#include <vector>

namespace relakin {

// The file's lines, without their ends (LF, CR LF or a lone CR); no line after a final line
// end. The views point into `text`.
std::vector<std::string_view> SplitTextLines(std::string_view text);

// The fields of `line` cut by the separator S: separators at the start are skipped, a run of
// separators counts as one, the text after the last separator is the last field. Fields are
// taken as they stand, never trimmed and never empty. An empty S cuts nothing: the whole line
// is one field (none when the line is empty).
std::vector<std::string_view> CutFields(std::string_view line, std::string_view S);

// True when the line holds nothing but blanks, control characters and separators S: no record.
bool IsBlankRecord(std::string_view line, std::string_view S);

}  // namespace relakin
