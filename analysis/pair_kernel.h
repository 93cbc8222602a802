// The fast form of the pairwise estimators: the same bits as estimators.h, far fewer steps.
//
// Built once per data set, it precomputes what does not depend on the pair: per locus the sum
// of squared frequencies and the identity terms, per individual and locus the list positions
// of its alleles and, for Lynch & Ritland, its weight and the products r * w for every way a
// partner's alleles can match. A pair then visits only the alleles it carries, in list order,
// so each running sum receives exactly the additions of the literal form in the same order
// (the skipped ones all add an exact 0). A locus whose list repeats a code takes the literal
// step. Memory is O(individuals x loci); Value allocates nothing.
//
// Value and FillSelfIdentity are const and may run on many threads at once. The kernel keeps a
// reference to `data`, which must outlive it; build a new kernel after Genotypes change (the
// permutation passes). The allele frequencies must not change.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "analysis/estimators.h"
#include "analysis/large_allocator.h"
#include "analysis/run_data.h"

namespace relakin {

template <class Real>
class PairKernel {
 public:
  // Estimator as PairRelatedness takes it (values other than 1 and 2 act as 0).
  PairKernel(const RunData<Real>& data, int Estimator);

  int estimator() const { return estimator_; }

  // As FillSelfIdentity of estimators.h.
  void FillSelfIdentity(LocusSet loci, std::vector<double>& SelfIdentity) const;
  double IdentityIxy(std::uint16_t x, std::uint16_t y, LocusSet loci) const;
  // As PairRelatedness of estimators.h under the kernel's estimator; SelfIdentity is read by
  // the identity index only, `tally` by Lynch & Ritland only (in the literal order).
  double Value(std::uint16_t x, std::uint16_t y, LocusSet loci,
               const std::vector<double>& SelfIdentity,
               DegenerateLocusTally* tally = nullptr) const;
  // Value(x, y) for y = first .. last (first <= last) into out[0 .. last - first], no tally;
  // several pairs at a time where the estimator allows.
  void Values(std::uint16_t x, std::uint16_t first, std::uint16_t last, LocusSet loci,
              const std::vector<double>& SelfIdentity, double* out) const;

 private:
  struct Alleles {
    std::uint16_t a, b;    // the codes as stored
    std::uint16_t pa, pb;  // their list positions, 0 when absent
    std::uint16_t lo, hi;  // pa and pb in ascending order
  };
  // Queller & Goodnight terms of one individual at one locus, kept small for the cache: its
  // carried alleles are slots 0 and 1 by ascending list position; a slot that carries nothing
  // has position kNoPosition and zero terms.
  struct QgTerms {
    std::uint32_t pos[2];
    std::uint16_t pa, pb;  // list positions of its two alleles (0 when absent)
    std::uint16_t typed;   // first code non-zero
    double d[2];           // its D term
    double n[2][3];        // its N term for a partner carrying 0, 1 or 2 copies
  };
  // Lynch & Ritland terms with the individual as reference; rw[0] and w[0] are zeros.
  struct LrTerms {
    std::uint8_t state;         // detail::LrReference::State
    double w[2];                // 0, and the weight when usable (else 0)
    std::array<double, 10> rw;  // [1 + na * 3 + nb]: r * w for na and nb matches
    double Sab, pa, pb;         // for the degenerate tally
  };

  std::size_t Index(std::size_t ind, std::size_t locus) const { return ind * nb_loci_ + locus - 1; }
  const Alleles& At(std::size_t ind, std::size_t locus) const {
    return alleles_[Index(ind, locus)];
  }
  void BuildLoci();
  void BuildAlleles();
  void BuildIdentityStates();
  void BuildQuellerGoodnight();
  void BuildLynchRitland();

  // Loci whose list repeats a code take these literal-order steps.
  void IdentityStep(std::uint16_t x, std::uint16_t y, std::uint16_t l, double& N, double& W) const;
  void QgStep(std::uint16_t x, std::uint16_t y, std::uint16_t l, double& N, double& D) const;
  // The branch-free forms, for kernels whose lists are all regular.
  void IdentityFast(std::uint16_t x, std::uint16_t y, std::uint16_t l, double& N, double& W) const;
  double IdentityAllLoci(std::uint16_t x, std::uint16_t y, std::size_t m) const;
  void QgFast(std::uint16_t x, std::uint16_t y, std::uint16_t l, double& N, double& D) const;
  // The four terms LrFast adds for one locus: x's numerator and weight, then y's.
  struct LrCell {
    double n1, d1, n2, d2;
  };
  LrCell LrLocusTerms(std::uint16_t x, std::uint16_t y, std::uint16_t l) const;
  void LrFast(std::uint16_t x, std::uint16_t y, std::uint16_t l, double& N1, double& D1, double& N2,
              double& D2) const;
  // Numbers the genotypes (codes as stored) that each locus holds, at most kMaxStates: state
  // per individual and locus, and one holder per number; a locus with more has no holders.
  template <class T>
  using Table = std::vector<T, LargeAllocator<T>>;  // per individual and locus
  void NumberGenotypes(Table<std::uint8_t>& state,
                       std::vector<std::vector<std::uint16_t>>& holders) const;
  LrTerms MakeLrTerms(std::size_t x, std::size_t l) const;
  void BuildLrCells(const std::vector<std::vector<std::uint16_t>>& holders, std::size_t cells);
  const LrTerms& LrAt(std::size_t x, std::size_t l) const {
    return lr_by_state_ ? lr_made_[lr_made_start_[l] + lr_state_[Index(x, l)]] : lr_[Index(x, l)];
  }
  double LrAllLoci(std::uint16_t x, std::uint16_t y, std::size_t m) const;
  // LrAllLoci for y = first .. last, two partners at a time.
  void LrRowAllLoci(std::uint16_t x, std::uint16_t first, std::uint16_t last, std::size_t m,
                    double* out) const;
  double QuellerGoodnight(std::uint16_t x, std::uint16_t y, LocusSet loci) const;
  double LynchRitland(std::uint16_t x, std::uint16_t y, LocusSet loci,
                      DegenerateLocusTally* tally) const;

  const RunData<Real>& data_;
  int estimator_;
  std::size_t nb_loci_;
  bool all_regular_ = true;
  std::vector<std::uint8_t> regular_;      // per locus: no code repeated in the list
  std::vector<double> inv_s2_;             // per locus: 1 / sum of squared frequencies
  std::vector<std::array<double, 10>> q_;  // per locus: zeros, then (0.25 * matches) / S2
  std::vector<std::array<double, 2>> w_;   // per locus: 0, and 1 / S2 (0 when S2 is 0)
  std::vector<std::vector<double>> freq_;  // per locus and position, as double
  Table<Alleles> alleles_;                 // [ind * nb_loci + l - 1]
  // Identity by genotype state: each locus numbers the distinct genotypes it holds (at most
  // kMaxStates); id_cell_ gives, for two states, the index into q_ (5 * counted + matching
  // allele pairs), so a pair's locus costs one table look-up. Empty when a locus has too many
  // states; the per-allele comparison then serves.
  static constexpr std::size_t kMaxStates = 96;
  Table<std::uint8_t> id_state_;                    // [ind * nb_loci + l - 1]
  std::vector<std::vector<std::uint8_t>> id_cell_;  // per locus: [state_x * states + state_y]
  std::vector<std::uint32_t> id_states_;            // per locus: number of states
  Table<QgTerms> qg_;                               // idem, Queller & Goodnight only
  // Lynch & Ritland terms depend on a locus's genotype (codes as stored) only. When every locus
  // holds at most kMaxStates genotypes and the pairs far outnumber the genotype pairs, each
  // locus numbers its genotypes (lr_state_), the terms are kept per genotype (lr_made_) and
  // lr_cell_ keeps a locus's four terms for every two genotypes; otherwise the terms are kept
  // per individual (lr_).
  bool lr_by_state_ = false;
  Table<LrTerms> lr_;                       // [ind * nb_loci + l - 1] unless by state
  Table<std::uint8_t> lr_state_;            // [ind * nb_loci + l - 1] when by state
  std::vector<LrTerms> lr_made_;            // locus l from lr_made_start_[l]: [state]
  std::vector<std::size_t> lr_made_start_;  // per locus
  std::vector<LrCell> lr_cell_;             // locus l from lr_cell_start_[l]: [sx * states + sy]
  std::vector<std::size_t> lr_cell_start_;  // per locus
  std::vector<std::uint32_t> lr_states_;    // per locus: number of states
};

extern template class PairKernel<float>;
extern template class PairKernel<double>;

}  // namespace relakin
