// Allele counts and frequencies of the pooled sample, and the prologue every run shares.
//
// Counting: at each locus where both codes of the individual are non-zero, a heterozygote adds
// 1 to each of its two alleles and a homozygote 2 to its one allele (a code is found at its
// first position in the locus's list); TypedCounts grows by 1. A code that stands in no list
// adds no copy (the genotype still counts as typed). Frequencies: count / (2 * TypedCounts),
// divided in double and stored in Real; NoDataFrequency where TypedCounts is 0.
#pragma once

#include <string>

#include "analysis/analysis_file.h"
#include "analysis/run_data.h"

namespace relakin {

// Sizes AlleleFreqs and TypedCounts to the lists of `data` and sets every count to 0.
template <class Real>
void ClearAlleleCounts(RunData<Real>& data);
template <class Real>
void CountIndividualAlleles(RunData<Real>& data, std::uint16_t CurrentInd);
template <class Real>
void ComputeAlleleFrequencies(RunData<Real>& data);

// The start of every run: reads the file (calling on_header after line 2), pools all
// individuals into one sample (NbPopGrouped := 1), counts every individual in file order and
// computes the frequencies. Throws what ReadAnalysisFile throws.
template <class Real>
RunData<Real> LoadRunData(const std::string& DataFile, const AnalysisHeaderHook& on_header = {});
// The same from already-read data (tests, the benchmark's generator).
template <class Real>
RunData<Real> PrepareRunData(AnalysisData data);

}  // namespace relakin
