// Synthetic analysis files for the benchmark: one population of N individuals, L loci with K
// alleles each (codes 1 .. K), uneven allele frequencies and a share of missing genotypes, in
// the layout the program writes (allele lines list the alleles of complete genotypes,
// ascending; genotypes smaller allele first; no line end after the last individual).
#pragma once

#include <string>

#include "bench/bench_options.h"

namespace relakin::bench {

std::string SyntheticAnalysisText(const GenerateSpec& request);
// Throws relakin::Error(Io) when the file cannot be written.
void WriteSyntheticAnalysisFile(const GenerateSpec& request, const std::string& path);

}  // namespace relakin::bench
