// The arithmetic steps that the literal estimators and the fast kernel share, written once so
// that both round alike. Internal to analysis/.
#pragma once

#include <cmath>
#include <cstdint>

#include "analysis/run_data.h"

namespace relakin::detail {

// One allele of the Queller & Goodnight sums: x's copies, then y's.
inline void QgAlleleStep(double& N, double& D, double Px, double Py, double p) {
  if (Px != 0) {
    if (Px == 1) {
      N = N + 2 * (Py - p);
      D = D + 2 * (1 - p);
    } else {
      N = N + (Py - p);
      D = D + (0.5 - p);
    }
  }
  if (Py != 0) {
    if (Py == 1) {
      N = N + 2 * (Px - p);
      D = D + 2 * (1 - p);
    } else {
      N = N + (Px - p);
      D = D + (0.5 - p);
    }
  }
}

inline double QgResult(double N, double D) { return D == 0 ? NotComputed : N / D; }

inline double IdentityResult(double N, double W) { return W == 0 ? NotComputed : N / W; }

inline double IdentityIndexFromParts(double Ixy, double Ixx, double Iyy) {
  if (Ixy == NotComputed || Ixx == NotComputed || Iyy == NotComputed) return NotComputed;
  const double root = std::sqrt(Ixx) * std::sqrt(Iyy);
  return root == 0 ? NotComputed : Ixy / root;
}

// What the reference individual's genotype at one locus brings to Lynch & Ritland.
struct LrReference {
  enum State : std::uint8_t { kUsable, kDegenerate, kSkip } state = kSkip;
  double Sab = 0, pa = 0, pb = 0, Den = 0, w = 0;
};

// a, b: the reference's codes; ia, ib: their list positions; fa, fb: the frequencies there.
inline LrReference MakeLrReference(std::uint16_t a, std::uint16_t b, std::uint16_t ia,
                                   std::uint16_t ib, double fa, double fb) {
  LrReference r;
  if (a == 0 || b == 0 || ia == 0 || ib == 0) return r;
  r.Sab = a == b ? 1 : 0;
  r.pa = fa;
  r.pb = fb;
  r.Den = (r.pa + r.pb) * (1 + r.Sab) - 4 * r.pa * r.pb;
  if (!(r.Den > 0)) {
    r.state = LrReference::kDegenerate;
  } else if (r.pa * r.pb != 0) {
    r.w = r.Den / (2 * r.pa * r.pb);
    r.state = LrReference::kUsable;
  }
  return r;
}

// The locus value; sum_a = Sac + Sad, sum_b = Sbc + Sbd.
inline double LrLocusValue(const LrReference& r, double sum_a, double sum_b) {
  return (r.pa * sum_b + r.pb * sum_a - 4 * r.pa * r.pb) / r.Den;
}

inline double LrDirectionResult(double N, double D) { return D == 0 ? NotComputed : (1 / D) * N; }

// The literal per-locus steps (estimators.cpp), for loci the fast kernel does not reduce.
template <class Real>
void IdentityLocus(const RunData<Real>& d, std::uint16_t x, std::uint16_t y, std::uint16_t l,
                   double& N, double& W);
template <class Real>
void QuellerGoodnightLocus(const RunData<Real>& d, std::uint16_t x, std::uint16_t y,
                           std::uint16_t l, double& N, double& D);

inline double LrPairResult(double r1, double r2) {
  return r1 == NotComputed || r2 == NotComputed ? NotComputed : (r1 + r2) / 2;
}

}  // namespace relakin::detail
