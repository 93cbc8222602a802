// How the delimited-text import and its preview cut a file into lines and a line into fields.
#pragma once

#include <string_view>
#include <vector>

namespace relakin {

// The file's lines, without their ends (LF, CR LF or a lone CR); no line after a final line
// end. The views point into `text`.
std::vector<std::string_view> SplitTextLines(std::string_view text);

// The fields of `line` cut by the separator S.
// - S a blank: blanks at the start are skipped and a run of blanks counts as one, so no field
//   is empty; fields are taken as they stand (a TAB stays inside its field).
// - Any other S: every S ends a field, as a spreadsheet writes its cells, so ";a;;b;" gives
//   "", "a", "", "b", "". Blanks and TABs around each field are trimmed (blanks only when S is
//   the TAB).
// - An empty S cuts nothing: the whole line is one field.
// An empty line has no field.
std::vector<std::string_view> CutFields(std::string_view line, std::string_view S);

// True when the line holds nothing but blanks, control characters and separators S: no record.
bool IsBlankRecord(std::string_view line, std::string_view S);

}  // namespace relakin
