// The 95% limits of one pair from its values over the replicates, and the text of its cell.
//
// Bootstrap: the pair's c computed values (the real data's first when computed, then the
// replicates in order) sorted ascending by HeapSortDoubles (core/genotype_code.h); the limits are
// the values of rank lo = 1 + [c * 2.5 / 100] and hi = [c * 97.5 / 100], [ ] rounding to the
// nearest integer, halves to even: 101 values give 4 and 98, 100 give 3 and 98, one value both
// limits.
//
// Jackknife: the real data's value t and the N = c - 1 computed leave-one-out values v_b give
// N pseudo-values N t - (N - 1) v_b; the limits are mean -/+ 1.96 |s| of those (s their
// standard deviation, divisor N - 1; a single pseudo-value is its own mean and s, so the lower
// limit comes first whatever its sign). A pair without a real-data value or without a
// leave-one-out value has no limits.
//
// A cell is the lower limit 6 wide with 3 decimals, "_", the upper limit likewise, then a TAB;
// a pair without limits shows twelve dashes and the TAB.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace relakin {

struct LimitRanks {
  std::uint32_t lo, hi;
};
// Precondition: c >= 1.
LimitRanks BootstrapLimitRanks(std::uint32_t c);

// values[1 .. N + 1]: the real data's value, then the N leave-one-out values. Fills
// pseudo[0 .. N - 1].
void JackknifePseudoValues(const double* values, std::vector<double>& pseudo, std::uint16_t N);

inline constexpr char kNoLimits[] = "------------\t";

// values[1 .. c] (values[0] unused) are reordered in place.
void AppendBootstrapCell(std::string& out, double* values, std::uint32_t c);
// values[1 .. c] as for JackknifePseudoValues; `real_computed`: values[1] is the real data's.
void AppendJackknifeCell(std::string& out, const double* values, std::uint32_t c,
                         bool real_computed, std::vector<double>& pseudo);

}  // namespace relakin
