// The family's older pair of files: a data file (normally ".don") and its locus file (".mod").
//
// Data file: line 1 holds the individual count and the locus count (16-bit), lines 2 to 4 are
// ignored, then one line per individual: a population code (one character; consecutive
// individuals with one code form a population), the code and the next three characters as the
// name, then one genotype number per locus (alleles g div 1000 and g mod 1000), nothing after the
// last one. Locus file: one line per locus, its characters 3 to 5 the locus name.
#pragma once

#include <istream>
#include <optional>
#include <string>

#include "core/document.h"
#include "formats/import_text.h"

namespace relakin {

// The locus file of data file `name` (UTF-8): its last three characters replaced by "mod", or by
// "MOD" when they hold capitals and no small letter (data.don and data.txt both give data.mod,
// DATA.DON gives DATA.MOD); nothing for a name of fewer than three characters.
std::optional<std::string> OlderLocusFileName(const std::string& name);
// The locus file of data file `name` that exists as a regular file: OlderLocusFileName first,
// then the same name with "mod" in the other letter case; nothing when neither exists.
std::optional<std::string> FindOlderLocusFile(const std::string& name);

// Reads the pair into a new document (table, NbPops, PopFirstRow, PopNames "Population " + q).
// A locus file with fewer lines than loci leaves the other locus names empty; one with more
// names than loci says how many in `warnings`. Throws Error(Input) naming the line for a count
// beyond 16 bits, an unreadable number, an individual line with fewer genotypes than loci (an
// individual's genotypes stand on its line) or with text after its last one, a genotype number
// other than zeros of more than 6 digits (3 per allele), a data file that ends before its
// header's counts are met, or text after the individuals the header counts; Error(Capacity) past
// 65534 individuals; Error(Io) when a file cannot be read. What the import changed on the way in
// goes to `warnings` when given (formats/import_text.h).
Document ReadModDonPair(std::istream& data, std::istream& locus, const std::string& dataName = {},
                        ImportWarnings* warnings = nullptr);
// The same on the files: FileName and FindOlderLocusFile(FileName); Error(Io) "Fichier .mod
// absent !" when there is no locus file.
Document ReadModDonPair(const std::string& FileName, ImportWarnings* warnings = nullptr);

}  // namespace relakin
