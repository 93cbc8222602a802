// The published GENEPOP layout, as this reader takes it:
// - Line 1 is a title. The lines after it, up to the first POP line, name the loci: one per line,
//   or several on a line separated by commas; blank lines are skipped. A POP line reads "POP" in
//   any letter case once the blanks and control characters around it are dropped; a file without
//   one is not a GENEPOP file and is refused.
// - Each POP line starts a population; "Pop," with nothing after the comma is one too. The end of
//   the file ends the last population, and so does a Ctrl-Z followed by nothing but characters of
//   code 32 or less. Blank lines are skipped.
// - A line holding a comma is an individual: its name is the text before the first comma, on that
//   line only, then one genotype number per locus. The genotypes may run on over the following
//   lines when those hold numbers only.
// - Refused, naming the line: an individual whose genotypes stop short (the next individual, a
//   POP line or the end of the file comes first; the message names the individual's own line);
//   a line without a comma that does not carry genotypes still due ("Pop 2", "Population",
//   "b 0202"); "Pop," followed by text; text after an individual's last genotype; a Ctrl-Z
//   followed by text (files joined end to end).
// - Genotype numbers: see SplitGenepopGenotype. A file's width is the length of its four- and
//   six-digit genotypes, which must all have one (4 or 6): a file with both is refused at the
//   first genotype of the rarer length. Numbers of other lengths are read once the whole file has
//   given its width (none when it holds neither length). A file whose genotypes, zeros aside, all
//   have three digits or fewer holds one allele each (haploid data) or lost every leading zero:
//   it is refused at the first of them. A file of zeros alone reads, every genotype missing.
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

// The alleles of a genotype token (digits, "+" allowed) in a file of width `width` (4 or 6; any
// other value for a file without one). Six digits are two three-digit alleles and four digits two
// two-digit alleles, whatever the width. A shorter number lost leading zeros: in a file of width
// 4 or 6 they are restored up to that width ("99101" in a six-digit file is 099101, alleles 99
// and 101). Without a width, a shorter number is read only when both widths read it alike (a
// value below 100 in at most four digits: "0", "00", "12"). Nothing for a token that is not a
// non-negative number, for more than six digits or more than the width, and for what only a
// width could tell.
std::optional<AllelePair> SplitGenepopGenotype(std::string_view token, int width);

// Reads a GENEPOP file into a new document. Each population takes the name of its last
// individual (first 25 characters); populations without individuals are not counted; names
// keep their blanks. Throws Error(Input) for a file that is not laid out as above: naming the
// line, or only the file when it holds no POP line; Error(Capacity) past 65535 loci or 65534
// individuals; Error(Io) when the file cannot be read. What the import changed on the way in goes
// to `warnings` when given (formats/import_text.h).
Document ImportGenepopFile(std::istream& in, const std::string& name = {},
                           ImportWarnings* warnings = nullptr);
Document ImportGenepopFile(const std::string& FileName, ImportWarnings* warnings = nullptr);

}  // namespace relakin
