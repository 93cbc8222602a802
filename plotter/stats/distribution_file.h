// The DistributionFile: a test statistic on the real data and on N permuted data sets.
//
//   lines 1-3  any text, skipped
//   line 4     a title, kept whole
//   line 5     the observed value first; the rest of the line is skipped
//   line 6     N first; the rest of the line is skipped
//   line 7 on  the N permuted values, ten to a line: after the 10th, 20th ... value the rest of
//              its line is skipped, so a line with fewer values lets the next come from below
//
// Numbers follow NumberReader's rules (a value missing at the end reads as 0). relakin's
// permutation-test result file has this layout whenever it holds at least one permutation.
#pragma once

#include <string>
#include <vector>

namespace vodave {

// The plotter takes at most this many permuted values.
inline constexpr int kMaxValues = 50000;

struct DistributionFile {
  std::string TitleLine;  // bytes of line 4, as they are in the file
  double ObservedValue = 0.0;
  std::vector<double> PermutedValues;  // the N values in file order
};

// "Ce programme traite une série de 50000 valeurs au max !"
std::string TooManyValuesMessage();

// Reads a DistributionFile held in `content`; `name` serves error messages.
// Throws Error(Input) for a token that is not a number or a negative count, and
// Error(TooManyValues) with TooManyValuesMessage() when N exceeds kMaxValues.
DistributionFile ParseDistributionFile(std::string content, const std::string& name = {});

// Reads the file at `path` (native bytes); Error(Io) naming it when it cannot be opened or
// read, or is not a regular file (a folder, a FIFO, a device: refused before any reading).
DistributionFile ReadDistributionFile(const std::string& path);

}  // namespace vodave
