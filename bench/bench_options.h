// relakin-bench's command line and its closing figures. A developer tool, not part of the
// program.
//
//   relakin-bench matrix|perm|ci [options] ANALYSIS_FILE RESULT_FILE
//
// The run works in the current directory like the program (scratch files land there).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace relakin::bench {

struct GenerateSpec {
  unsigned individuals = 0, loci = 0, alleles = 0;
  unsigned missing_percent = 0;
  std::uint32_t seed = 1;
};

struct BenchOptions {
  std::string mode;  // matrix, perm or ci
  std::string analysis_file, result_file;
  int estimator = 0;                     // --estimator 0|1|2
  int precision = 2;                     // --precision N
  int perms = 100;                       // --perms N
  int perm_type = 0;                     // --perm-type 0|1
  int test_on = 0;                       // --test-on 0|1
  std::string method = "boot";           // --method boot|jack
  bool pairwise = false;                 // --pairwise
  std::optional<std::uint32_t> seed;     // --seed N
  unsigned threads = 0;                  // --threads N, 0: all cores
  bool reference = false;                // --reference: the literal single-thread path
  bool memory_write = false;             // --memory-write: time writing the same bytes (matrix)
  std::optional<GenerateSpec> generate;  // --generate N,L,K[,MISSING%][,SEED]
};

// Throws std::invalid_argument with a one-line reason.
BenchOptions ParseOptions(const std::vector<std::string>& args);
const char* Usage();

// What a mode measured, printed as the tool's last three lines.
struct BenchFigures {
  double seconds = 0;
  std::uint64_t pairs = 0;      // pair values computed
  std::uint64_t pair_loci = 0;  // pair values times the loci each one took
};
void PrintFigures(const BenchFigures& f);

}  // namespace relakin::bench
