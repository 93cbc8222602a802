// The text of the permutation test's result file and of its pair-vector scratch files.
//
// PermutationResultFile (Windows-1252, CR LF): "Data File name : " + DataTitle; NbLoci +
// " Loci"; the population count read + " Population(s) grouped"; line 4: the estimator heading,
// the statistic label (" Mean" / " Variance") and the permutation label; line 5: the real
// data's statistic (12 wide, 9 decimals) + " <--- Value for real data"; line 6: NbPerm in 5
// characters; then the statistics of data sets 1 .. NbPerm, ten to a line: nine 12 wide with 9
// decimals, each followed by a blank, the tenth 10 wide with 7 decimals and a line end. The
// last line is ended only when NbPerm is a multiple of 10. A data set without any computed pair
// value has no statistic: "999" right-justified in the same field.
//
// PairVectorFile "vector" + k + ".txt": per kept pair value a line: the value (12 wide, 9
// decimals), a TAB, the running sum (idem), CR LF.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "analysis/run_data.h"

namespace relakin {

// Lines 1 to 3 and the heading of line 4 (left open); `data` as read (NbPopGrouped still the
// file's count). Estimator 1 Queller & Goodnight, 2 Lynch & Ritland, any other the identity.
std::string PermutationHeader(const AnalysisData& data, int Estimator);

// What ends line 4: the statistic label (TestOn 0: mean) and the permutation label (PermType
// 1: alleles, any other value: genotypes), then the line end.
std::string PermutationLabels(std::uint16_t TestOn, std::uint16_t PermType);

// A data set's statistic, or none.
struct DataSetStatistic {
  long double value = 0;
  bool defined = false;
};

// The text data set k adds: lines 5 and 6 for k = 0 (NbPerm on line 6), one cell otherwise.
void AppendStatistic(std::string& out, std::uint16_t k, DataSetStatistic s, std::uint16_t NbPerm);

std::string VectorFileName(std::uint16_t k);

// The lines of values[0 .. count - 1] of a pair vector; `running_sum` holds the sum of the
// values before them and is advanced past them, one 64-bit addition per value.
void AppendVectorLines(std::string& out, const double* values, std::size_t count,
                       double& running_sum);

// Characters one vector line takes at most while values stay below 1e3 in magnitude; beyond,
// fields widen, and strings grow as needed.
inline constexpr std::size_t kVectorLineBytes = 12 + 1 + 12 + 2;

}  // namespace relakin
