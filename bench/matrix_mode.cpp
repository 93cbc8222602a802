#include <chrono>
#include <cstdio>

#include "analysis/analysis_file.h"
#include "analysis/relatedness_run.h"
#include "analysis/run_context.h"
#include "bench/bench_modes.h"

namespace relakin::bench {
namespace {

class PrintedMessages : public Messages {
 public:
  void Show(const std::string& text) override { std::printf("%s\n", text.c_str()); }
  void Information(const std::string& text) override { Show(text); }
};

}  // namespace

BenchFigures RunMatrixMode(const BenchOptions& o) {
  PrintedMessages messages;
  Progress progress;
  RandomGenerator random(o.seed.value_or(1));
  RunContext context{messages, progress, random, o.threads, o.reference};
  const auto start = std::chrono::steady_clock::now();
  RunRelatedness(o.analysis_file, o.result_file, static_cast<std::uint16_t>(o.precision), 0, false,
                 0, static_cast<std::uint16_t>(o.estimator), 0, context);
  const auto stop = std::chrono::steady_clock::now();

  // The sizes, read back outside the timed run.
  const AnalysisData d = ReadAnalysisFile(o.analysis_file);
  BenchFigures f;
  f.seconds = std::chrono::duration<double>(stop - start).count();
  f.pairs = std::uint64_t{d.NbInd} * (d.NbInd > 0 ? d.NbInd - 1u : 0u) / 2;
  f.pair_loci = f.pairs * d.NbLoci;
  return f;
}

}  // namespace relakin::bench
