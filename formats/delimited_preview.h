// What the text-import dialog's preview grid shows: the file's lines as they stand, or cut into
// fields the way the import cuts them (identity columns not taken off, genotypes not split).
// A Ctrl-Z that ends the file is no part of the last line, as for the import.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace relakin {

// Row r - 1 holds the cells of grid row r, cell c - 1 that of grid column c; rows may differ
// in length. At most kMaxPreviewLines rows: the grid's row count is 16-bit.
using PreviewRows = std::vector<std::vector<std::string>>;
inline constexpr std::size_t kMaxPreviewLines = 65535;

// One row per line, the whole line in column 1 (an empty line too).
PreviewRows RawLinePreview(std::string_view text);

// One row per line cut by S, a blank line an empty row. The first line's fields start
// `firstLineOffset` columns further right, so that locus names stand above their genotypes.
PreviewRows PreviewDelimitedText(std::string_view text, std::string_view S, int firstLineOffset);

}  // namespace relakin
