// The three pairwise relatedness estimators, in their literal form: every sum is taken in the
// order the method defines (loci in locus-set order, alleles in list order), one double
// rounding per step, frequencies entering with their stored precision (float or double).
// These are the reference: the fast pair kernel (pair_kernel.h) must give the same bits.
//
// Estimator: 0 identity index (Mathieu et al.), 1 Queller & Goodnight 1989, 2 Lynch & Ritland
// 1999; any other value acts as 0. A result that cannot be computed is NotComputed (999).
// Nothing here keeps state, allocates or throws; callers guarantee 1 <= x, y <= NbInd and loci
// within 1 .. NbLoci.
//
// Choices where the data leave the method undefined (never met on files the program writes):
// a locus whose sum of squared frequencies is 0 adds nothing to the identity; a Lynch & Ritland
// reference whose second allele is 0, whose allele stands in no list, or whose product of the
// two frequencies is 0 adds nothing and is not tallied as degenerate; an identity index whose
// self-identities multiply to 0 is NotComputed. No division by zero can happen.
#pragma once

#include <cstdint>
#include <vector>

#include "analysis/run_data.h"

namespace relakin {

inline constexpr int kIdentityIndex = 0;
inline constexpr int kQuellerGoodnight = 1;
inline constexpr int kLynchRitland = 2;

// Lynch & Ritland loci whose denominator is not positive: how many, and the Sab, pa and pb of
// the first one met. The confidence-interval run reports them once at its end. To combine
// tallies kept apart (one per thread or per pair range), Merge them in the order of the work.
struct DegenerateLocusTally {
  std::uint64_t count = 0;
  double Sab = 0, pa = 0, pb = 0;

  void Add(double sab, double fa, double fb) {
    if (count++ == 0) Sab = sab, pa = fa, pb = fb;
  }
  void Merge(const DegenerateLocusTally& later) {
    if (count == 0) Sab = later.Sab, pa = later.pa, pb = later.pb;
    count += later.count;
  }
};

// Position 1 .. k of the first entry of the locus's list equal to Code; 0 when absent.
std::uint16_t AlleleIndex(const AnalysisData& data, std::uint16_t Locus, std::uint16_t Code);

template <class Real>
double IdentityIxy(const RunData<Real>& data, std::uint16_t x, std::uint16_t y, LocusSet loci);
// Resizes SelfIdentity to NbInd + 1 and sets [i] = IdentityIxy(i, i) over `loci`.
template <class Real>
void FillSelfIdentity(const RunData<Real>& data, LocusSet loci, std::vector<double>& SelfIdentity);
// Needs SelfIdentity filled over the same locus set.
template <class Real>
double IdentityIndex(const RunData<Real>& data, std::uint16_t x, std::uint16_t y, LocusSet loci,
                     const std::vector<double>& SelfIdentity);
template <class Real>
double QuellerGoodnightRxy(const RunData<Real>& data, std::uint16_t x, std::uint16_t y,
                           LocusSet loci);
// The locus weight with x as reference; 0 when it adds nothing (see above).
template <class Real>
double LynchRitlandWeight(const RunData<Real>& data, std::uint16_t x, std::uint16_t Locus);
// rxy with x as reference; `tally`, when given, receives every degenerate locus met.
template <class Real>
double LynchRitlandRxy(const RunData<Real>& data, std::uint16_t x, std::uint16_t y, LocusSet loci,
                       DegenerateLocusTally* tally = nullptr);
// The mean of both directions, NotComputed when either is.
template <class Real>
double LynchRitlandPair(const RunData<Real>& data, std::uint16_t x, std::uint16_t y, LocusSet loci,
                        DegenerateLocusTally* tally = nullptr);
// The pair's value under Estimator. SelfIdentity is read by the identity index only.
template <class Real>
double PairRelatedness(const RunData<Real>& data, std::uint16_t x, std::uint16_t y, int Estimator,
                       LocusSet loci, const std::vector<double>& SelfIdentity,
                       DegenerateLocusTally* tally = nullptr);

}  // namespace relakin
