// Reading the analysis file ("temp.tmp", the native genotype layout) into run data.
//
// Line 1: the locus count and DataTitle; line 2: the population count. Per locus a name line
// (skipped) and an allele line (k, then k codes). Per population a name line (skipped), a count
// line n and n individual lines: a 10-character name field (discarded) and one six-digit
// genotype per locus, whose first three digits are the first code and last three the second,
// as written. Numbers follow the shared reading rules (core/text_reader.h); counts and list
// codes keep their low 16 bits. Memory grows with what the file holds: lists and rows are
// added as their codes and individuals are read, and a file that ends inside a locus or
// population block it announces is refused as truncated.
#pragma once

#include <functional>
#include <string>

#include "analysis/run_data.h"

namespace relakin {

// Called once lines 1 and 2 have been read and before any locus block is: the runs create
// their result file and write its header there.
using AnalysisHeaderHook = std::function<void(const AnalysisData&)>;

// Throws Error(Io) when the file cannot be read, Error(Input) for a token that is not an
// integer, a name field cut by a line end or a truncated file (naming the line where it ends),
// Error(Capacity) for a 65536th individual, for
// individuals with more than 32767 loci, or for a genotype number that is negative or whose
// first code exceeds 65535. The file is never left open.
AnalysisData ReadAnalysisFile(const std::string& DataFile,
                              const AnalysisHeaderHook& on_header = {});
// The same on text in memory; `name` serves the error messages.
AnalysisData ReadAnalysisText(std::string content, const std::string& name = {},
                              const AnalysisHeaderHook& on_header = {});

}  // namespace relakin
