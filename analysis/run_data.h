// The data every analysis run works on, read from the analysis file ("temp.tmp").
//
// Individuals (1 .. NbInd), loci (1 .. NbLoci) and list positions (1 .. k) are numbered from 1
// and slot 0 of every table is kept and unused, except that AlleleCodes[l][0] holds k.
// Allele code 0 is a missing allele. An individual is typed at a locus for the allele counts
// when both its codes there are non-zero; a locus counts for a pair in the estimators when the
// first codes of both individuals are non-zero.
//
// Frequencies are float in the relatedness matrix run and double in the permutation test and
// the confidence intervals (RunData<float> / RunData<double>); they are computed once per run
// from the real data and serve every permuted data set and every replicate over loci.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace relakin {

// The value of a pair (or a self-identity) that cannot be computed.
inline constexpr double NotComputed = 999.0;
// The frequency stored for every allele of a locus at which no individual is typed.
inline constexpr double NoDataFrequency = 9999.0;

// What the analysis file holds, frequencies apart.
struct AnalysisData {
  std::uint16_t NbLoci = 0;
  // The rest of line 1 after the locus count, the separating blank included (Windows-1252).
  std::string DataTitle;
  // The population count of line 2 while the header is written; the runs then set it to 1,
  // the one sample that all individuals form.
  std::uint16_t NbPopGrouped = 0;
  std::uint16_t NbInd = 0;
  // Row i (1 .. NbInd): 2 * NbLoci + 1 codes, [2l - 1] the first allele of locus l, [2l] the
  // second, [0] always 0. Row 0 exists and is empty. The permutation passes rewrite it in place.
  std::vector<std::vector<std::uint16_t>> Genotypes{1};
  // List of locus l (1 .. NbLoci): [0] = k, [1 .. k] the allele codes in file order.
  std::vector<std::vector<std::uint16_t>> AlleleCodes{1};

  std::uint16_t First(std::size_t ind, std::size_t locus) const {
    return Genotypes[ind][2 * locus - 1];
  }
  std::uint16_t Second(std::size_t ind, std::size_t locus) const {
    return Genotypes[ind][2 * locus];
  }
  std::uint16_t AlleleCount(std::size_t locus) const { return AlleleCodes[locus][0]; }
};

template <class Real>
struct RunData : AnalysisData {
  // Parallel to AlleleCodes: [l][i] the count, then (after ComputeAlleleFrequencies) the
  // frequency of the i-th allele of locus l; [l][0] stays 0.
  std::vector<std::vector<Real>> AlleleFreqs{1};
  // Number of individuals typed at locus l; [0] unused.
  std::vector<std::uint16_t> TypedCounts = std::vector<std::uint16_t>(1, 0);
};

using MatrixRunData = RunData<float>;  // the relatedness matrix run
using TestRunData = RunData<double>;   // the permutation test and the confidence intervals

// The loci a pair value is taken over, in order: every locus 1 .. NbLoci, or the first m
// entries of a locus list (in which a locus standing twice counts twice).
class LocusSet {
 public:
  static LocusSet All(std::uint16_t nb_loci) { return LocusSet(nullptr, nb_loci); }
  // `list` is indexed from 1 like LocusList (slot 0 unused); the set is list[1 .. m]. The list
  // must outlive the set.
  static LocusSet FirstEntries(const std::vector<std::uint16_t>& list, std::uint16_t m) {
    return LocusSet(list.data() + 1, m);
  }

  std::uint16_t size() const { return count_; }
  // The entries in order, or nullptr when the set is every locus 1 .. size().
  const std::uint16_t* entries() const { return entries_; }
  // The locus of entry k, 0 <= k < size().
  std::uint16_t operator[](std::size_t k) const {
    return entries_ ? entries_[k] : static_cast<std::uint16_t>(k + 1);
  }

 private:
  LocusSet(const std::uint16_t* entries, std::uint16_t count) : entries_(entries), count_(count) {}
  const std::uint16_t* entries_;
  std::uint16_t count_;
};

}  // namespace relakin
