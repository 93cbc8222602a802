// One function per relakin-bench mode. Each runs the analysis on options.analysis_file, writes
// options.result_file, and returns what it measured (the whole run: reading, frequencies, the
// values and every file written). The dispatch table is in relakin_bench.cpp.
#pragma once

#include <string>
#include <vector>

#include "bench/bench_options.h"

namespace relakin::bench {

BenchFigures RunMatrixMode(const BenchOptions& options);
BenchFigures RunPermMode(const BenchOptions& options);
BenchFigures RunCiMode(const BenchOptions& options);

// relakin-bench export ...: its own command line (export_mode.cpp); returns the exit code.
int RunExportCommand(const std::vector<std::string>& args);
const char* ExportUsage();
// `relakin-bench import ...` (import_mode.cpp): its own command line after the mode name; returns
// the exit status.
int RunImportMode(const std::vector<std::string>& args);
const char* ImportUsage();

}  // namespace relakin::bench
