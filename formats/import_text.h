// The text of an imported file as the table holds it, and what the import had to change on the
// way in.
#pragma once

#include <string>
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

}  // namespace relakin
