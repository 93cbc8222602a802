// The published GENEPOP layout: a title line; the locus names, one per line or several on a line
// separated by commas, up to the first POP line; then populations, each started by a POP line
// (a line that reads "POP" in any letter case once blanks and control characters around it are
// dropped), one individual per line: its name up to the first comma, then one genotype number
// per locus. The end of the file, or a Ctrl-Z, ends the last population.
#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>

#include "core/document.h"
#include "core/genotype_code.h"
#include "formats/import_text.h"

namespace relakin {

// The POP-line test: `text` without the characters of code 32 or less around it is "POP" in
// any mix of letter cases.
bool IsPopLine(std::string_view text);

// The alleles of a genotype token (digits, "+" allowed): six digits are two three-digit alleles
// and four digits two two-digit alleles; a token of any other length is split by value,
// g div 1000 and g mod 1000 when g div 100 > 1000, g div 100 and g mod 100 otherwise. Nothing
// for a token that is not a non-negative number or whose hundreds quotient exceeds 16 bits.
std::optional<AllelePair> SplitGenepopGenotype(std::string_view token);

// Reads a GENEPOP file into a new document. Each population takes the name of its last
// individual (first 25 characters); populations without individuals are not counted; names
// keep their blanks but never a CR or LF. Throws Error(Input) naming the line for a token that
// is not a genotype number or a file that ends inside an individual's genotypes;
// Error(Capacity) past 65535 loci or 65534 individuals; Error(Io) when the file cannot be read.
// What the import changed on the way in goes to `warnings` when given (formats/import_text.h).
Document ImportGenepopFile(std::istream& in, const std::string& name = {},
                           ImportWarnings* warnings = nullptr);
Document ImportGenepopFile(const std::string& FileName, ImportWarnings* warnings = nullptr);

}  // namespace relakin
