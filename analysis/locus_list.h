// The locus lists of the confidence-interval run and the numbering of its pairs.
//
// A LocusList is indexed from 1 (slot 0 unused, as the estimators read it through
// LocusSet::FirstEntries); a locus may stand in it more than once and then counts once per
// entry. Replicate 0, the real data, takes every locus 1 .. NbLoci.
#pragma once

#include <cstdint>
#include <vector>

#include "analysis/random.h"

namespace relakin {

using LocusList = std::vector<std::uint16_t>;

// 1, 2, .., NbLoci in slots 1 .. NbLoci.
LocusList AllLoci(std::uint16_t NbLoci);
// Slot k = 1 .. NbLoci: Below(NbLoci) + 1, drawn in slot order (NbLoci draws).
void ResampleLoci(LocusList& list, std::uint16_t NbLoci, RandomGenerator& random);
// The loci 1 .. NbLoci but l, ascending, in slots 1 .. NbLoci - 1.
void DropLocus(LocusList& list, std::uint16_t NbLoci, std::uint16_t l);

// The number of pair (i, j), 1 <= i < j <= n, row by row over the upper triangle: (1, 2) is
// 1, (1, n) is n - 1, (2, 3) is n, (n - 1, n) is n (n - 1) / 2.
inline std::uint32_t PairIndex(std::uint32_t n, std::uint32_t i, std::uint32_t j) {
  return static_cast<std::uint32_t>((std::uint64_t{i} - 1) * n + j -
                                    std::uint64_t{i} * (i + 1) / 2);
}

}  // namespace relakin
