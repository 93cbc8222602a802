// What a save of the table computes about it: the figures behind the data-description window.
// Written loci are numbered 1 .. NbLocUsed, populations 1 .. NbPops; slot 0 of every table is
// unused.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace relakin {

struct DataDescription {
  std::vector<std::string> OutLocusNames;               // [k]
  std::vector<std::vector<std::uint16_t>> LocusAlleles;  // [k]: distinct alleles over all data rows, ascending
  std::vector<std::string> PopNames;                    // [p]
  std::vector<std::uint16_t> SampleSize;                // [p]: data rows of population p
  std::vector<float> PopMeanAlleles;                    // [p]: distinct alleles per written locus
  std::vector<std::vector<std::uint16_t>> PopLocusAlleleCount;  // [p][k]: distinct alleles in p
};

}  // namespace relakin
