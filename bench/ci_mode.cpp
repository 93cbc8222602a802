#include <chrono>

#include "analysis/analysis_file.h"
#include "analysis/confidence_run.h"
#include "bench/bench_modes.h"
#include "bench/printed_messages.h"

namespace relakin::bench {

// The whole confidence-interval run; --seed is the seed the run reseeds with (the clock
// otherwise, as in the program).
BenchFigures RunCiMode(const BenchOptions& o) {
  PrintedMessages messages;
  Progress progress;
  RandomGenerator random(1);
  RunContext context{messages, progress, random, o.threads, o.reference};
  Reseed reseed;
  if (o.seed) reseed = [seed = *o.seed](RandomGenerator& g) { g.SetSeed(seed); };
  const bool bootstrap = o.method == "boot";
  const auto start = std::chrono::steady_clock::now();
  RunConfidenceIntervals(o.analysis_file, o.result_file, static_cast<std::uint16_t>(o.estimator),
                         static_cast<std::uint16_t>(o.precision), o.pairwise, bootstrap ? 0 : 1,
                         context, reseed);
  const auto stop = std::chrono::steady_clock::now();
  PrintPeakMemory();

  const AnalysisData d = ReadAnalysisFile(o.analysis_file);
  BenchFigures f;
  f.seconds = std::chrono::duration<double>(stop - start).count();
  const std::uint64_t pairs = std::uint64_t{d.NbInd} * (d.NbInd > 0 ? d.NbInd - 1u : 0u) / 2;
  const std::uint64_t L = d.NbLoci;
  // Every replicate's value of every pair, and the real data's again for the matrix.
  const std::uint64_t replicates = bootstrap ? 101 : L + 1;
  const std::uint64_t entries = bootstrap ? 101 * L : L + L * (L > 0 ? L - 1 : 0);
  f.pairs = pairs * (replicates + (o.pairwise ? 1 : 0));
  f.pair_loci = pairs * (entries + (o.pairwise ? L : 0));
  return f;
}

}  // namespace relakin::bench
