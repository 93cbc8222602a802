// The family's older pair of files: a data file (normally ".don") and its locus file (".mod").
//
// Data file: line 1 holds the individual count and the locus count (16-bit), lines 2 to 4 are
// ignored, then one line per individual: a population code (one character; consecutive
// individuals with one code form a population), the code and the next three characters as the
// name, then one genotype number per locus (alleles g div 1000 and g mod 1000), the rest of the
// line ignored. Locus file: one line per locus, its characters 3 to 5 the locus name.
#pragma once

#include <istream>
#include <optional>
#include <string>

#include "core/document.h"

namespace relakin {

// The locus file of data file `name` (UTF-8): its last three characters replaced by "mod"
// (data.don and data.txt both give data.mod); nothing for a name of fewer than three characters.
std::optional<std::string> OlderLocusFileName(const std::string& name);

// Reads the pair into a new document (table, NbPops, PopFirstRow, PopNames "Population " + q).
// A locus file with fewer lines than loci leaves the other locus names empty. Throws
// Error(Input) naming the line for a count beyond 16 bits, an unreadable number, or a data file
// that ends before its header's counts are met; Error(Capacity) past 65534 individuals;
// Error(Io) when a file cannot be read.
Document ReadModDonPair(std::istream& data, std::istream& locus, const std::string& dataName = {});
// The same on the files: FileName and OlderLocusFileName(FileName).
Document ReadModDonPair(const std::string& FileName);

}  // namespace relakin
