// Feeds the analysis-file reader. Any input must read or fail with a typed error, and what reads
// must hold the rows its counts promise.
#include <cstddef>
#include <cstdint>
#include <string>

#include "analysis/analysis_file.h"
#include "core/errors.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  bool headerSeen = false;
  relakin::AnalysisData d;
  try {
    d = relakin::ReadAnalysisText(
        std::string(reinterpret_cast<const char*>(data), size), "temp.tmp",
        [&headerSeen](const relakin::AnalysisData&) { headerSeen = true; });
  } catch (const relakin::Error&) {
    return 0;
  }
  fuzzing::Check(headerSeen, "the header hook runs on every file that reads");
  fuzzing::Check(d.AlleleCodes.size() == std::size_t{d.NbLoci} + 1, "one allele list per locus");
  for (std::size_t l = 1; l <= d.NbLoci; ++l)
    fuzzing::Check(d.AlleleCodes[l].size() == std::size_t{d.AlleleCodes[l][0]} + 1,
                   "an allele list holds its count and that many codes");
  fuzzing::Check(d.Genotypes.size() > d.NbInd, "one genotype row per individual");
  for (std::size_t i = 1; i <= d.NbInd; ++i)
    fuzzing::Check(d.Genotypes[i].size() == 2 * std::size_t{d.NbLoci} + 1,
                   "a genotype row holds two codes per locus");
  return 0;
}
