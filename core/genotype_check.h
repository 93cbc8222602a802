// The check of a genotype while the user types it. It only warns: the cell keeps the text typed,
// and the writers read it later through NormalizeGenotype.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace relakin {

inline constexpr std::string_view kHalfMissingWarning = "Un des 2 allèles est = 000 !!";

// The warning (UTF-8) for `value` typed into cell (col, row), or nothing. Names (col 1) and locus
// names (row 1) are not checked, nor a text that is not six characters once the blanks around it
// are trimmed. Every blank of value, those around it included, reads as the digit 0; exactly one
// allele 000 warns. Throws Error(Conversion) when that number is not a non-negative 32-bit whole
// number (letters, a minus sign).
std::optional<std::string> CheckTypedGenotype(int col, int row, std::string_view value);

}  // namespace relakin
