// The permutation test: the mean or the variance of all pair values, on the real data and
// after each of NbPerm successive random exchange passes (of genotypes or of alleles).
//
// Entry point for the analysis dialog ("Permutation test" mode), after it has had the analysis
// file written:
//
//   RunContext context{messages, progress, ProcessRandom()};
//   RunPermutationTest("temp.tmp", result_name, precision, nb_perm, print_pairs, perm_type,
//                      estimator, test_on, context);
//
// Arguments as RunRelatedness takes them (relatedness_run.h): NbPerm 0 .. 65535 (the dialog
// offers 0 .. 1000), PermType 1 the allele pass and any other value the genotype pass,
// Estimator 0 identity index, 1 Queller & Goodnight, 2 Lynch & Ritland (others act as 0),
// TestOn 0 the mean and any other value the variance; Precision and PrintPairs are ignored.
// The run does not reseed context.random: the passes continue its sequence where it stands.
//
// It runs synchronously on the calling thread (pair values and file text on context.threads
// workers; the files do not depend on their number) and writes ResultFile (a bare name: the
// current directory) and, in the current directory, "vector0.txt" .. "vector<NbPerm>.txt",
// which stay there. Frequencies are double precision, from the real data, for every data set.
// Progress: Open; per data set k = 0 .. NbPerm: Show(NbPerm + 1, "Sur données réelles" for 0,
// "Permutation :" + k otherwise), Step; Close. On success: messages.Show("TRAITEMENT FINI !").
//
// Failures throw relakin::Error and show no message (the caller shows it): the analysis file
// missing or unreadable, a file that cannot be created, written or closed (files are left as
// far as they got), and, before the result file is created, an allele pass over more than
// 32767 individuals or pair lists that do not fit in memory (Error(Capacity)).
// Memory: O(individuals x loci + pairs) doubles.
#pragma once

#include <cstdint>
#include <string>

#include "analysis/run_context.h"

namespace relakin {

void RunPermutationTest(const std::string& DataFile, const std::string& ResultFile,
                        std::uint16_t Precision, std::uint16_t NbPerm, bool PrintPairs,
                        std::uint16_t PermType, std::uint16_t Estimator, std::uint16_t TestOn,
                        RunContext& context);

}  // namespace relakin
