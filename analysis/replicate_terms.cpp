#include "analysis/replicate_terms.h"

#include <algorithm>

namespace relakin {
namespace {

int Normalised(int estimator) {
  return estimator == kQuellerGoodnight || estimator == kLynchRitland ? estimator : kIdentityIndex;
}

double P(const AnalysisData& d, std::uint16_t z, std::size_t l, std::uint16_t g) {
  return 0.5 * ((d.First(z, l) == g ? 1 : 0) + (d.Second(z, l) == g ? 1 : 0));
}

// The additions of one allele to the Queller & Goodnight sums, as detail::QgAlleleStep makes
// them: x's copies, then y's.
void QgAlleleTerms(double Px, double Py, double p, std::vector<double>& qn,
                   std::vector<double>& qd) {
  if (Px != 0) {
    qn.push_back(Px == 1 ? 2 * (Py - p) : (Py - p));
    qd.push_back(Px == 1 ? 2 * (1 - p) : (0.5 - p));
  }
  if (Py != 0) {
    qn.push_back(Py == 1 ? 2 * (Px - p) : (Px - p));
    qd.push_back(Py == 1 ? 2 * (1 - p) : (0.5 - p));
  }
}

}  // namespace

ReplicateTerms::ReplicateTerms(const TestRunData& data, int Estimator)
    : d_(data), estimator_(Normalised(Estimator)) {
  const std::size_t stride = std::size_t{d_.NbLoci} + 1;
  if (estimator_ == kQuellerGoodnight) {
    regular_.assign(stride, 1);
    for (std::size_t l = 1; l <= d_.NbLoci; ++l) {
      std::vector<std::uint16_t> codes(d_.AlleleCodes[l].begin() + 1, d_.AlleleCodes[l].end());
      std::sort(codes.begin(), codes.end());
      regular_[l] = std::adjacent_find(codes.begin(), codes.end()) == codes.end();
    }
    positions_.assign((std::size_t{d_.NbInd} + 1) * stride * 2, 0);
    for (std::size_t x = 1; x <= d_.NbInd; ++x)
      for (std::size_t l = 1; l <= d_.NbLoci; ++l) {
        const auto locus = static_cast<std::uint16_t>(l);
        positions_[2 * (x * stride + l)] = AlleleIndex(d_, locus, d_.First(x, l));
        positions_[2 * (x * stride + l) + 1] = AlleleIndex(d_, locus, d_.Second(x, l));
      }
  }
  if (estimator_ != kLynchRitland) return;
  references_.assign((std::size_t{d_.NbInd} + 1) * stride, {});
  for (std::size_t x = 1; x <= d_.NbInd; ++x) {
    for (std::size_t l = 1; l <= d_.NbLoci; ++l) {
      const auto locus = static_cast<std::uint16_t>(l);
      const std::uint16_t a = d_.First(x, l), b = d_.Second(x, l);
      const std::uint16_t ia = AlleleIndex(d_, locus, a), ib = AlleleIndex(d_, locus, b);
      const double fa = ia != 0 ? d_.AlleleFreqs[l][ia] : 0.0;
      const double fb = ib != 0 ? d_.AlleleFreqs[l][ib] : 0.0;
      references_[x * stride + l] = detail::MakeLrReference(a, b, ia, ib, fa, fb);
    }
  }
}

void ReplicateTerms::Build(std::uint16_t x, std::uint16_t y, PairTerms& t) const {
  t.x = x;
  t.y = y;
  switch (estimator_) {
    case kLynchRitland:
      return BuildLynchRitland(t);
    case kQuellerGoodnight:
      return BuildQuellerGoodnight(t);
    default:
      return BuildIdentity(t);
  }
}

void ReplicateTerms::BuildIdentity(PairTerms& t) const {
  t.a.assign(std::size_t{d_.NbLoci} + 1, 0.0);
  t.b.assign(std::size_t{d_.NbLoci} + 1, 0.0);
  for (std::size_t l = 1; l <= d_.NbLoci; ++l)
    if (Counts(t.x, t.y, l))
      detail::IdentityLocus(d_, t.x, t.y, static_cast<std::uint16_t>(l), t.a[l], t.b[l]);
}

void ReplicateTerms::BuildQuellerGoodnight(PairTerms& t) const {
  const std::size_t stride = std::size_t{d_.NbLoci} + 1;
  t.offset.assign(stride + 1, 0);
  t.qn.clear();
  t.qd.clear();
  t.q.assign(stride, {});
  t.wide = false;
  for (std::size_t l = 1; l <= d_.NbLoci; ++l) {
    t.offset[l] = static_cast<std::uint32_t>(t.qn.size());
    if (!Counts(t.x, t.y, l)) continue;
    if (!regular_[l]) {
      for (std::size_t i = 1; i <= d_.AlleleCount(l); ++i) {
        const std::uint16_t g = d_.AlleleCodes[l][i];
        QgAlleleTerms(P(d_, t.x, l, g), P(d_, t.y, l, g), d_.AlleleFreqs[l][i], t.qn, t.qd);
      }
    } else {
      // Only the alleles the pair carries add anything; they are visited in list order.
      std::uint16_t v[4] = {
          positions_[2 * (t.x * stride + l)], positions_[2 * (t.x * stride + l) + 1],
          positions_[2 * (t.y * stride + l)], positions_[2 * (t.y * stride + l) + 1]};
      std::sort(v, v + 4);
      for (int k = 0; k < 4; ++k) {
        if (v[k] == 0 || (k > 0 && v[k] == v[k - 1])) continue;
        const std::uint16_t g = d_.AlleleCodes[l][v[k]];
        QgAlleleTerms(P(d_, t.x, l, g), P(d_, t.y, l, g), d_.AlleleFreqs[l][v[k]], t.qn, t.qd);
      }
    }
    const std::size_t terms = t.qn.size() - t.offset[l];
    if (terms > 4) t.wide = true;
    for (std::size_t k = 0; k < terms && k < 4; ++k) {
      t.q[l][k] = t.qn[t.offset[l] + k];
      t.q[l][4 + k] = t.qd[t.offset[l] + k];
    }
  }
  t.offset[stride] = static_cast<std::uint32_t>(t.qn.size());
}

void ReplicateTerms::BuildLynchRitland(PairTerms& t) const {
  const std::size_t n = std::size_t{d_.NbLoci} + 1;
  t.a.assign(n, 0.0);
  t.b.assign(n, 0.0);
  t.c.assign(n, 0.0);
  t.e.assign(n, 0.0);
  t.degenerate.assign(n, 0);
  t.any_degenerate = false;
  for (std::size_t l = 1; l <= d_.NbLoci; ++l) {
    if (!Counts(t.x, t.y, l)) continue;
    const std::uint16_t gx[2] = {d_.First(t.x, l), d_.Second(t.x, l)};
    const std::uint16_t gy[2] = {d_.First(t.y, l), d_.Second(t.y, l)};
    for (int dir = 0; dir < 2; ++dir) {
      const detail::LrReference& r = Reference(dir == 0 ? t.x : t.y, l);
      if (r.state == detail::LrReference::kDegenerate) {
        t.degenerate[l] |= static_cast<std::uint8_t>(1 << dir);
        t.any_degenerate = true;
      }
      if (r.state != detail::LrReference::kUsable) continue;
      const std::uint16_t* ref = dir == 0 ? gx : gy;
      const std::uint16_t* other = dir == 0 ? gy : gx;
      const double Sac = ref[0] == other[0] ? 1 : 0, Sad = ref[0] == other[1] ? 1 : 0;
      const double Sbc = ref[1] == other[0] ? 1 : 0, Sbd = ref[1] == other[1] ? 1 : 0;
      const double rw = detail::LrLocusValue(r, Sac + Sad, Sbc + Sbd) * r.w;
      (dir == 0 ? t.a : t.c)[l] = rw;
      (dir == 0 ? t.b : t.e)[l] = r.w;
    }
  }
}

double ReplicateTerms::Value(const PairTerms& t, LocusSet loci, double self_x, double self_y,
                             DegenerateLocusTally* tally) const {
  const std::uint16_t m = loci.size();
  switch (estimator_) {
    case kLynchRitland: {
      double N1 = 0, D1 = 0, N2 = 0, D2 = 0;
      for (std::uint16_t k = 0; k < m; ++k) {
        const std::uint16_t l = loci[k];
        N1 = N1 + t.a[l];
        D1 = D1 + t.b[l];
        N2 = N2 + t.c[l];
        D2 = D2 + t.e[l];
      }
      if (tally) Tally(t, loci, *tally);
      return detail::LrPairResult(detail::LrDirectionResult(N1, D1),
                                  detail::LrDirectionResult(N2, D2));
    }
    case kQuellerGoodnight: {
      double N = 0, D = 0;
      for (std::uint16_t k = 0; k < m; ++k) {
        const std::uint16_t l = loci[k];
        if (t.wide) {
          for (std::uint32_t q = t.offset[l]; q < t.offset[l + 1]; ++q) {
            N = N + t.qn[q];
            D = D + t.qd[q];
          }
        } else {
          const std::array<double, 8>& q = t.q[l];
          N = N + q[0] + q[1] + q[2] + q[3];
          D = D + q[4] + q[5] + q[6] + q[7];
        }
      }
      return detail::QgResult(N, D);
    }
    default: {
      double N = 0, W = 0;
      for (std::uint16_t k = 0; k < m; ++k) {
        const std::uint16_t l = loci[k];
        W = W + t.b[l];
        N = N + t.a[l];
      }
      return detail::IdentityIndexFromParts(detail::IdentityResult(N, W), self_x, self_y);
    }
  }
}

void ReplicateTerms::Tally(const PairTerms& t, LocusSet loci, DegenerateLocusTally& tally) const {
  if (!t.any_degenerate) return;
  for (const std::uint16_t ref : {t.x, t.y}) {
    const std::uint8_t bit = ref == t.x ? 1 : 2;
    for (std::uint16_t k = 0; k < loci.size(); ++k) {
      const std::uint16_t l = loci[k];
      if (t.degenerate[l] & bit) {
        const detail::LrReference& r = Reference(ref, l);
        tally.Add(r.Sab, r.pa, r.pb);
      }
    }
  }
}

void ReplicateTerms::Values4(const PairTerms& t, const LocusSet (&loci)[4],
                             const double (&self_x)[4], const double (&self_y)[4],
                             double (&out)[4]) const {
  const std::uint16_t m = loci[0].size();
  if (estimator_ == kQuellerGoodnight && t.wide) {
    for (int b = 0; b < 4; ++b) out[b] = Value(t, loci[b], 0, 0, nullptr);
    return;
  }
  const std::uint16_t* e0 = loci[0].entries();
  const std::uint16_t* e1 = loci[1].entries();
  const std::uint16_t* e2 = loci[2].entries();
  const std::uint16_t* e3 = loci[3].entries();
  if (!e0 || !e1 || !e2 || !e3) {
    for (int b = 0; b < 4; ++b) out[b] = Value(t, loci[b], self_x[b], self_y[b], nullptr);
    return;
  }
  const std::uint16_t* const e[4] = {e0, e1, e2, e3};
  double A[4] = {0, 0, 0, 0}, B[4] = {0, 0, 0, 0}, C[4] = {0, 0, 0, 0}, E[4] = {0, 0, 0, 0};
  switch (estimator_) {
    case kLynchRitland: {
      const double *a = t.a.data(), *bw = t.b.data(), *c = t.c.data(), *ew = t.e.data();
      for (std::uint16_t k = 0; k < m; ++k)
        for (int b = 0; b < 4; ++b) {
          const std::uint16_t l = e[b][k];
          A[b] = A[b] + a[l];
          B[b] = B[b] + bw[l];
          C[b] = C[b] + c[l];
          E[b] = E[b] + ew[l];
        }
      for (int b = 0; b < 4; ++b)
        out[b] = detail::LrPairResult(detail::LrDirectionResult(A[b], B[b]),
                                      detail::LrDirectionResult(C[b], E[b]));
      return;
    }
    case kQuellerGoodnight: {
      const std::array<double, 8>* q = t.q.data();
      for (std::uint16_t k = 0; k < m; ++k)
        for (int b = 0; b < 4; ++b) {
          const std::array<double, 8>& ql = q[e[b][k]];
          A[b] = A[b] + ql[0] + ql[1] + ql[2] + ql[3];
          B[b] = B[b] + ql[4] + ql[5] + ql[6] + ql[7];
        }
      for (int b = 0; b < 4; ++b) out[b] = detail::QgResult(A[b], B[b]);
      return;
    }
    default: {
      const double *a = t.a.data(), *w = t.b.data();
      for (std::uint16_t k = 0; k < m; ++k)
        for (int b = 0; b < 4; ++b) {
          const std::uint16_t l = e[b][k];
          B[b] = B[b] + w[l];
          A[b] = A[b] + a[l];
        }
      for (int b = 0; b < 4; ++b)
        out[b] = detail::IdentityIndexFromParts(detail::IdentityResult(A[b], B[b]), self_x[b],
                                                self_y[b]);
    }
  }
}

}  // namespace relakin
