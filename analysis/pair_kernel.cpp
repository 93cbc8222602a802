#include "analysis/pair_kernel.h"

#include <algorithm>
#include <utility>

#include "analysis/estimator_steps.h"

namespace relakin {
namespace {

// Calls f(l) for every locus of the set in order, with the branch on the set's kind hoisted.
template <class F>
inline void ForEachLocus(LocusSet loci, F&& f) {
  const std::uint16_t* e = loci.entries();
  const std::uint16_t m = loci.size();
  if (e == nullptr) {
    for (std::uint16_t l = 1; l <= m && l != 0; ++l) f(l);
  } else {
    for (std::uint16_t k = 0; k < m; ++k) f(e[k]);
  }
}

int Normalised(int estimator) {
  return estimator == kQuellerGoodnight || estimator == kLynchRitland ? estimator : kIdentityIndex;
}

}  // namespace

template <class Real>
PairKernel<Real>::PairKernel(const RunData<Real>& data, int Estimator)
    : data_(data), estimator_(Normalised(Estimator)), nb_loci_(data.NbLoci) {
  BuildLoci();
  BuildAlleles();
  if (estimator_ == kLynchRitland) BuildLynchRitland();
}

template <class Real>
void PairKernel<Real>::BuildLoci() {
  regular_.assign(nb_loci_ + 1, 1);
  s2_.assign(nb_loci_ + 1, 0.0);
  inv_s2_.assign(nb_loci_ + 1, 0.0);
  q_.assign(nb_loci_ + 1, {});
  freq_.assign(nb_loci_ + 1, {});
  for (std::size_t l = 1; l <= nb_loci_; ++l) {
    const auto& codes = data_.AlleleCodes[l];
    std::vector<std::uint16_t> sorted(codes.begin() + 1, codes.end());
    std::sort(sorted.begin(), sorted.end());
    regular_[l] = std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end();
    freq_[l].assign(codes[0] + 1, 0.0);
    double S2 = 0;
    for (std::size_t i = 1; i <= codes[0]; ++i) {
      const double f = data_.AlleleFreqs[l][i];
      freq_[l][i] = f;
      S2 = S2 + f * f;
    }
    s2_[l] = S2;
    if (S2 == 0) continue;
    inv_s2_[l] = 1 / S2;
    for (int c = 0; c <= 4; ++c) q_[l][c] = (0.25 * c) / S2;
  }
}

template <class Real>
void PairKernel<Real>::BuildAlleles() {
  alleles_.assign((std::size_t{data_.NbInd} + 1) * nb_loci_, {});
  for (std::size_t x = 1; x <= data_.NbInd; ++x) {
    for (std::size_t l = 1; l <= nb_loci_; ++l) {
      Alleles& g = alleles_[x * nb_loci_ + l - 1];
      g.a = data_.First(x, l);
      g.b = data_.Second(x, l);
      const auto locus = static_cast<std::uint16_t>(l);
      g.pa = AlleleIndex(data_, locus, g.a);
      g.pb = AlleleIndex(data_, locus, g.b);
      g.lo = std::min(g.pa, g.pb);
      g.hi = std::max(g.pa, g.pb);
    }
  }
}

template <class Real>
void PairKernel<Real>::BuildLynchRitland() {
  lr_.assign(alleles_.size(), {});
  for (std::size_t x = 1; x <= data_.NbInd; ++x) {
    for (std::size_t l = 1; l <= nb_loci_; ++l) {
      const Alleles& g = At(x, l);
      const double fa = g.pa != 0 ? freq_[l][g.pa] : 0.0;
      const double fb = g.pb != 0 ? freq_[l][g.pb] : 0.0;
      const detail::LrReference r = detail::MakeLrReference(g.a, g.b, g.pa, g.pb, fa, fb);
      LrTerms& t = lr_[x * nb_loci_ + l - 1];
      t.state = r.state;
      t.w = r.w;
      t.Sab = r.Sab;
      t.pa = r.pa;
      t.pb = r.pb;
      if (r.state != detail::LrReference::kUsable) continue;
      for (int na = 0; na <= 2; ++na)
        for (int nb = 0; nb <= 2; ++nb) t.rw[na * 3 + nb] = detail::LrLocusValue(r, na, nb) * r.w;
    }
  }
}

template <class Real>
inline void PairKernel<Real>::IdentityStep(std::uint16_t x, std::uint16_t y, std::uint16_t l,
                                           double& N, double& W) const {
  const Alleles& gx = At(x, l);
  const Alleles& gy = At(y, l);
  if (gx.a == 0 || gy.a == 0) return;
  if (!regular_[l]) return detail::IdentityLocus(data_, x, y, l, N, W);
  if (s2_[l] == 0) return;
  const int matches = (gx.pa != 0 && gx.pa == gy.pa) + (gx.pa != 0 && gx.pa == gy.pb) +
                      (gx.pb != 0 && gx.pb == gy.pa) + (gx.pb != 0 && gx.pb == gy.pb);
  W = W + inv_s2_[l];
  N = N + q_[l][matches];
}

template <class Real>
double PairKernel<Real>::IdentityIxy(std::uint16_t x, std::uint16_t y, LocusSet loci) const {
  double N = 0, W = 0;
  ForEachLocus(loci, [&](std::uint16_t l) { IdentityStep(x, y, l, N, W); });
  return detail::IdentityResult(N, W);
}

template <class Real>
void PairKernel<Real>::FillSelfIdentity(LocusSet loci, std::vector<double>& SelfIdentity) const {
  SelfIdentity.assign(std::size_t{data_.NbInd} + 1, 0.0);
  for (unsigned i = 1; i <= data_.NbInd; ++i) {
    const auto x = static_cast<std::uint16_t>(i);
    SelfIdentity[i] = IdentityIxy(x, x, loci);
  }
}

template <class Real>
inline void PairKernel<Real>::QgStep(std::uint16_t x, std::uint16_t y, std::uint16_t l, double& N,
                                     double& D) const {
  const Alleles& gx = At(x, l);
  const Alleles& gy = At(y, l);
  if (gx.a == 0 || gy.a == 0 || data_.AlleleCodes[l][0] == 0) return;
  if (!regular_[l]) return detail::QuellerGoodnightLocus(data_, x, y, l, N, D);
  // The positions both carry, merged in list order.
  std::uint16_t u[4];
  std::size_t i = 0, j = 0;
  const std::uint16_t xs[2] = {gx.lo, gx.hi}, ys[2] = {gy.lo, gy.hi};
  for (std::size_t k = 0; k < 4; ++k)
    u[k] = (j >= 2 || (i < 2 && xs[i] <= ys[j])) ? xs[i++] : ys[j++];
  std::uint16_t prev = 0;
  for (std::uint16_t v : u) {
    if (v == prev) continue;  // also skips the absent position 0, which sorts first
    prev = v;
    const double Px = 0.5 * ((gx.pa == v) + (gx.pb == v));
    const double Py = 0.5 * ((gy.pa == v) + (gy.pb == v));
    detail::QgAlleleStep(N, D, Px, Py, freq_[l][v]);
  }
}

template <class Real>
double PairKernel<Real>::QuellerGoodnight(std::uint16_t x, std::uint16_t y, LocusSet loci) const {
  double N = 0, D = 0;
  ForEachLocus(loci, [&](std::uint16_t l) { QgStep(x, y, l, N, D); });
  return detail::QgResult(N, D);
}

template <class Real>
inline void PairKernel<Real>::LrStep(std::uint16_t x, std::uint16_t y, std::uint16_t l, double& N1,
                                     double& D1, double& N2, double& D2) const {
  const Alleles& gx = At(x, l);
  const Alleles& gy = At(y, l);
  if (gx.a == 0 || gy.a == 0) return;
  const LrTerms& tx = LrAt(x, l);
  if (tx.state == detail::LrReference::kUsable) {
    const int na = (gx.a == gy.a) + (gx.a == gy.b), nb = (gx.b == gy.a) + (gx.b == gy.b);
    N1 = N1 + tx.rw[na * 3 + nb];
    D1 = D1 + tx.w;
  }
  const LrTerms& ty = LrAt(y, l);
  if (ty.state == detail::LrReference::kUsable) {
    const int na = (gy.a == gx.a) + (gy.a == gx.b), nb = (gy.b == gx.a) + (gy.b == gx.b);
    N2 = N2 + ty.rw[na * 3 + nb];
    D2 = D2 + ty.w;
  }
}

template <class Real>
double PairKernel<Real>::LynchRitland(std::uint16_t x, std::uint16_t y, LocusSet loci,
                                      DegenerateLocusTally* tally) const {
  double N1 = 0, D1 = 0, N2 = 0, D2 = 0;
  ForEachLocus(loci, [&](std::uint16_t l) { LrStep(x, y, l, N1, D1, N2, D2); });
  if (tally) {
    for (const std::uint16_t ref : {x, y}) {
      const std::uint16_t other = ref == x ? y : x;
      ForEachLocus(loci, [&](std::uint16_t l) {
        const LrTerms& t = LrAt(ref, l);
        if (At(ref, l).a != 0 && At(other, l).a != 0 && t.state == detail::LrReference::kDegenerate)
          tally->Add(t.Sab, t.pa, t.pb);
      });
    }
  }
  return detail::LrPairResult(detail::LrDirectionResult(N1, D1), detail::LrDirectionResult(N2, D2));
}

template <class Real>
double PairKernel<Real>::Value(std::uint16_t x, std::uint16_t y, LocusSet loci,
                               const std::vector<double>& SelfIdentity,
                               DegenerateLocusTally* tally) const {
  switch (estimator_) {
    case kLynchRitland:
      return LynchRitland(x, y, loci, tally);
    case kQuellerGoodnight:
      return QuellerGoodnight(x, y, loci);
    default:
      return detail::IdentityIndexFromParts(IdentityIxy(x, y, loci), SelfIdentity[x],
                                            SelfIdentity[y]);
  }
}

template class PairKernel<float>;
template class PairKernel<double>;

}  // namespace relakin
