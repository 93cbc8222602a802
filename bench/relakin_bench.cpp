// relakin-bench: times the analyses on a file, optionally generated first. See bench_options.h.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "analysis/run_context.h"
#include "bench/bench_modes.h"
#include "bench/bench_options.h"
#include "bench/synthetic_file.h"
#include "core/temporary_files.h"

namespace {

using relakin::bench::BenchFigures;
using relakin::bench::BenchOptions;

struct Mode {
  const char* name;
  // nullptr: the mode is not built yet. The permutation test and the confidence intervals
  // plug in here with their own Run*Mode (bench_modes.h).
  BenchFigures (*run)(const BenchOptions&);
};

const Mode kModes[] = {
    {"matrix", relakin::bench::RunMatrixMode},
    {"perm", relakin::bench::RunPermMode},
    {"ci", relakin::bench::RunCiMode},
};

// Every mode's command line, so that running the tool without arguments lists them all.
void PrintAllUsages() {
  std::fprintf(stderr, "%s%s%s", relakin::bench::Usage(), relakin::bench::ImportUsage(),
               relakin::bench::ExportUsage());
}

}  // namespace

int main(int argc, char** argv) {
  relakin::InstallTemporaryCleanup();
  if (argc > 1 && std::string(argv[1]) == "export")
    return relakin::bench::RunExportCommand(std::vector<std::string>(argv + 2, argv + argc));
  if (argc > 1 && std::string(argv[1]) == "import")
    return relakin::bench::RunImportMode(std::vector<std::string>(argv + 2, argv + argc));
  BenchOptions options;
  try {
    options = relakin::bench::ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "relakin-bench: %s\n", e.what());
    PrintAllUsages();
    return 2;
  }
  const Mode* mode = nullptr;
  for (const Mode& m : kModes)
    if (options.mode == m.name) mode = &m;
  if (mode == nullptr) {
    std::fprintf(stderr, "relakin-bench: unknown mode %s\n", options.mode.c_str());
    PrintAllUsages();
    return 2;
  }
  if (mode->run == nullptr) {
    std::fprintf(stderr, "relakin-bench: mode %s: not built yet\n", mode->name);
    return 3;
  }
  try {
    if (options.generate) {
      relakin::bench::WriteSyntheticAnalysisFile(*options.generate, options.analysis_file);
    }
    std::printf("mode %s, estimator %d, %s, %u threads\n", mode->name, options.estimator,
                options.reference ? "reference path" : "fast path",
                options.reference ? 1u : relakin::ResolveThreads(options.threads));
    relakin::bench::PrintFigures(mode->run(options));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "relakin-bench: %s\n", e.what());
    return 1;
  }
  return 0;
}
