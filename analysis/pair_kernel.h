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

 private:
  struct Alleles {
    std::uint16_t a, b;    // the codes as stored
    std::uint16_t pa, pb;  // their list positions, 0 when absent
    std::uint16_t lo, hi;  // pa and pb in ascending order
  };
  struct LrTerms {
    std::uint8_t state;        // detail::LrReference::State
    double w;                  // the weight when usable
    std::array<double, 9> rw;  // r * w for na * 3 + nb matches
    double Sab, pa, pb;        // for the degenerate tally
  };

  const Alleles& At(std::size_t ind, std::size_t locus) const {
    return alleles_[ind * nb_loci_ + locus - 1];
  }
  const LrTerms& LrAt(std::size_t ind, std::size_t locus) const {
    return lr_[ind * nb_loci_ + locus - 1];
  }
  void BuildLoci();
  void BuildAlleles();
  void BuildLynchRitland();

  void IdentityStep(std::uint16_t x, std::uint16_t y, std::uint16_t l, double& N, double& W) const;
  void QgStep(std::uint16_t x, std::uint16_t y, std::uint16_t l, double& N, double& D) const;
  void LrStep(std::uint16_t x, std::uint16_t y, std::uint16_t l, double& N1, double& D1, double& N2,
              double& D2) const;
  double QuellerGoodnight(std::uint16_t x, std::uint16_t y, LocusSet loci) const;
  double LynchRitland(std::uint16_t x, std::uint16_t y, LocusSet loci,
                      DegenerateLocusTally* tally) const;

  const RunData<Real>& data_;
  int estimator_;
  std::size_t nb_loci_;
  std::vector<std::uint8_t> regular_;      // per locus: no code repeated in the list
  std::vector<double> s2_, inv_s2_;        // per locus: sum of squared frequencies, 1 / it
  std::vector<std::array<double, 5>> q_;   // per locus: (0.25 * matches) / S2
  std::vector<std::vector<double>> freq_;  // per locus and position, as double
  std::vector<Alleles> alleles_;           // [ind * nb_loci + l - 1]
  std::vector<LrTerms> lr_;                // idem, Lynch & Ritland only
};

extern template class PairKernel<float>;
extern template class PairKernel<double>;

}  // namespace relakin
