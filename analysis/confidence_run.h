// The confidence intervals over loci: 95% limits of every pair's value by bootstrap (the real
// data and 100 replicates over NbLoci loci drawn with replacement; percentile limits) or by
// jackknife (the real data and one replicate per locus left out; limits from the
// pseudo-values).
//
// Entry point for the confidence-interval dialog, after it has had the analysis file written:
//
//   RunContext context{messages, progress, ProcessRandom()};
//   RunConfidenceIntervals("temp.tmp", result_name, estimator, precision, print_pairwise,
//                          method, context);
//
// Estimator 0 identity index, 1 Queller & Goodnight, 2 Lynch & Ritland (others act as 0);
// Precision 1 .. 5, the decimals of the real-data matrix, written first when PrintPairwise is
// set; Method 0 bootstrap, any other value jackknife.
//
// Every run reseeds context.random before its first draw (the jackknife draws nothing but
// reseeds too): by `reseed` when given, else from the clock (RandomGenerator::Randomize). Tests
// and the benchmark pass a reseed that sets a known seed.
//
// It runs synchronously on the calling thread (pairs on context.threads workers; the file does
// not depend on their number) and writes ResultFile (a bare name: the current directory).
// Frequencies are double precision, from the real data, for every replicate. Each pair's values
// over all replicates are computed, sorted and written together, so memory stays
// O(individuals x replicates + replicates x loci).
// Progress: Open; Show(R + 1, label) and Step for each replicate r = 0 .. R (R = 100 or NbLoci;
// labels "Sur données réelles", then "Bootstrap :" + r or "Sans locus :" + r), spread over the
// work; Close. On success, when Lynch & Ritland met loci whose denominator was not positive
// (they add nothing), one messages.Show with the first one's Sab, Pa, Pb and their number
// (DegenerateLociMessage); then messages.Show("TRAITEMENT FINI !").
//
// Failures throw relakin::Error and show no message (the caller shows it): the analysis file
// missing or unreadable, the result file that cannot be created, written or closed (it is left
// as far as it got), or, before the result file is created, work tables that do not fit in
// memory (Error(Capacity)).
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "analysis/run_context.h"

namespace relakin {

// Sets the seed of the generator at the start of a run.
using Reseed = std::function<void(RandomGenerator&)>;

void RunConfidenceIntervals(const std::string& DataFile, const std::string& ResultFile,
                            std::uint16_t Estimator, std::uint16_t Precision, bool PrintPairwise,
                            std::uint16_t Method, RunContext& context, const Reseed& reseed = {});

}  // namespace relakin
