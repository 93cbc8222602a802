#include <chrono>

#include "analysis/analysis_file.h"
#include "analysis/permutation_run.h"
#include "bench/bench_modes.h"
#include "bench/printed_messages.h"

namespace relakin::bench {

// The whole permutation test, vector files included; --seed sets the generator (1 otherwise).
BenchFigures RunPermMode(const BenchOptions& o) {
  PrintedMessages messages;
  Progress progress;
  RandomGenerator random(o.seed.value_or(1));
  RunContext context{messages, progress, random, o.threads, o.reference};
  const auto start = std::chrono::steady_clock::now();
  RunPermutationTest(
      o.analysis_file, o.result_file, static_cast<std::uint16_t>(o.precision),
      static_cast<std::uint16_t>(o.perms), o.pairwise, static_cast<std::uint16_t>(o.perm_type),
      static_cast<std::uint16_t>(o.estimator), static_cast<std::uint16_t>(o.test_on), context);
  const auto stop = std::chrono::steady_clock::now();
  PrintPeakMemory();

  const AnalysisData d = ReadAnalysisFile(o.analysis_file);
  BenchFigures f;
  f.seconds = std::chrono::duration<double>(stop - start).count();
  const std::uint64_t pairs = std::uint64_t{d.NbInd} * (d.NbInd > 0 ? d.NbInd - 1u : 0u) / 2;
  f.pairs = pairs * (std::uint64_t(o.perms) + 1);
  f.pair_loci = f.pairs * d.NbLoci;
  return f;
}

}  // namespace relakin::bench
