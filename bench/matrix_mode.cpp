#include <chrono>
#include <cstdio>
#include <filesystem>

#include "analysis/analysis_file.h"
#include "analysis/relatedness_run.h"
#include "analysis/run_context.h"
#include "bench/bench_modes.h"
#include "bench/memory_write.h"
#include "bench/printed_messages.h"

namespace relakin::bench {

// The whole relatedness run. With --memory-write it then times writing as many bytes as the
// run wrote (the result file and "ttt.ttt") from memory into the same folder.
BenchFigures RunMatrixMode(const BenchOptions& o) {
  PrintedMessages messages;
  Progress progress;
  RandomGenerator random(o.seed.value_or(1));
  RunContext context{messages, progress, random, o.threads, o.reference};
  const auto start = std::chrono::steady_clock::now();
  RunRelatedness(o.analysis_file, o.result_file, static_cast<std::uint16_t>(o.precision), 0, false,
                 0, static_cast<std::uint16_t>(o.estimator), 0, context);
  const auto stop = std::chrono::steady_clock::now();
  PrintPeakMemory();
  if (o.memory_write) {
    const std::uint64_t result = std::filesystem::file_size(o.result_file);
    const std::uint64_t scratch = std::filesystem::file_size(kDistanceScratchFile);
    std::printf("bytes written: %llu\n", static_cast<unsigned long long>(result + scratch));
    std::printf("memory-write seconds: %.6f\n", TimeMemoryWrite({result, scratch}));
  }

  // The sizes, read back outside the timed run.
  const AnalysisData d = ReadAnalysisFile(o.analysis_file);
  BenchFigures f;
  f.seconds = std::chrono::duration<double>(stop - start).count();
  f.pairs = std::uint64_t{d.NbInd} * (d.NbInd > 0 ? d.NbInd - 1u : 0u) / 2;
  f.pair_loci = f.pairs * d.NbLoci;
  return f;
}

}  // namespace relakin::bench
