#include "analysis/estimators.h"

#include "analysis/estimator_steps.h"

namespace relakin {
namespace {

bool Counts(const AnalysisData& d, std::uint16_t x, std::uint16_t y, std::uint16_t l) {
  return d.First(x, l) != 0 && d.First(y, l) != 0;
}

// 0.5 times the number of z's two alleles at l equal to g.
double P(const AnalysisData& d, std::uint16_t z, std::uint16_t l, std::uint16_t g) {
  return 0.5 * ((d.First(z, l) == g ? 1 : 0) + (d.Second(z, l) == g ? 1 : 0));
}

template <class Real>
detail::LrReference LrReferenceAt(const RunData<Real>& d, std::uint16_t x, std::uint16_t l) {
  const std::uint16_t a = d.First(x, l), b = d.Second(x, l);
  const std::uint16_t ia = AlleleIndex(d, l, a), ib = AlleleIndex(d, l, b);
  const double fa = ia != 0 ? d.AlleleFreqs[l][ia] : 0.0;
  const double fb = ib != 0 ? d.AlleleFreqs[l][ib] : 0.0;
  return detail::MakeLrReference(a, b, ia, ib, fa, fb);
}

}  // namespace

template <class Real>
void detail::IdentityLocus(const RunData<Real>& d, std::uint16_t x, std::uint16_t y,
                           std::uint16_t l, double& N, double& W) {
  double S2 = 0, S = 0;
  for (std::uint16_t i = 1; i <= d.AlleleCount(l); ++i) {
    const double f = d.AlleleFreqs[l][i];
    const std::uint16_t g = d.AlleleCodes[l][i];
    S2 = S2 + f * f;
    S = S + P(d, x, l, g) * P(d, y, l, g);
  }
  if (S2 == 0) return;
  S = S / S2;
  W = W + 1 / S2;
  N = N + S;
}

template <class Real>
void detail::QuellerGoodnightLocus(const RunData<Real>& d, std::uint16_t x, std::uint16_t y,
                                   std::uint16_t l, double& N, double& D) {
  for (std::uint16_t i = 1; i <= d.AlleleCount(l); ++i) {
    const std::uint16_t g = d.AlleleCodes[l][i];
    detail::QgAlleleStep(N, D, P(d, x, l, g), P(d, y, l, g), d.AlleleFreqs[l][i]);
  }
}

std::uint16_t AlleleIndex(const AnalysisData& d, std::uint16_t Locus, std::uint16_t Code) {
  const std::vector<std::uint16_t>& list = d.AlleleCodes[Locus];
  for (std::uint16_t i = 1; i <= list[0]; ++i)
    if (list[i] == Code) return i;
  return 0;
}

template <class Real>
double IdentityIxy(const RunData<Real>& d, std::uint16_t x, std::uint16_t y, LocusSet loci) {
  double N = 0, W = 0;
  for (std::size_t k = 0; k < loci.size(); ++k) {
    const std::uint16_t l = loci[k];
    if (Counts(d, x, y, l)) detail::IdentityLocus(d, x, y, l, N, W);
  }
  return detail::IdentityResult(N, W);
}

template <class Real>
void FillSelfIdentity(const RunData<Real>& d, LocusSet loci, std::vector<double>& SelfIdentity) {
  SelfIdentity.assign(std::size_t{d.NbInd} + 1, 0.0);
  for (unsigned i = 1; i <= d.NbInd; ++i) {
    const auto x = static_cast<std::uint16_t>(i);
    SelfIdentity[i] = IdentityIxy(d, x, x, loci);
  }
}

template <class Real>
double IdentityIndex(const RunData<Real>& d, std::uint16_t x, std::uint16_t y, LocusSet loci,
                     const std::vector<double>& SelfIdentity) {
  return detail::IdentityIndexFromParts(IdentityIxy(d, x, y, loci), SelfIdentity[x],
                                        SelfIdentity[y]);
}

template <class Real>
double QuellerGoodnightRxy(const RunData<Real>& d, std::uint16_t x, std::uint16_t y,
                           LocusSet loci) {
  double N = 0, D = 0;
  for (std::size_t k = 0; k < loci.size(); ++k) {
    const std::uint16_t l = loci[k];
    if (Counts(d, x, y, l) && d.AlleleCount(l) != 0)
      detail::QuellerGoodnightLocus(d, x, y, l, N, D);
  }
  return detail::QgResult(N, D);
}

template <class Real>
double LynchRitlandWeight(const RunData<Real>& d, std::uint16_t x, std::uint16_t Locus) {
  const detail::LrReference r = LrReferenceAt(d, x, Locus);
  return r.state == detail::LrReference::kUsable ? r.w : 0.0;
}

template <class Real>
double LynchRitlandRxy(const RunData<Real>& d, std::uint16_t x, std::uint16_t y, LocusSet loci,
                       DegenerateLocusTally* tally) {
  double N = 0, D = 0;
  for (std::size_t k = 0; k < loci.size(); ++k) {
    const std::uint16_t l = loci[k];
    if (!Counts(d, x, y, l)) continue;
    const detail::LrReference r = LrReferenceAt(d, x, l);
    if (r.state == detail::LrReference::kDegenerate && tally) tally->Add(r.Sab, r.pa, r.pb);
    if (r.state != detail::LrReference::kUsable) continue;
    const std::uint16_t a = d.First(x, l), b = d.Second(x, l);
    const std::uint16_t c = d.First(y, l), e = d.Second(y, l);
    const double Sac = a == c ? 1 : 0, Sad = a == e ? 1 : 0;
    const double Sbc = b == c ? 1 : 0, Sbd = b == e ? 1 : 0;
    const double value = detail::LrLocusValue(r, Sac + Sad, Sbc + Sbd);
    N = N + value * r.w;
    D = D + r.w;
  }
  return detail::LrDirectionResult(N, D);
}

template <class Real>
double LynchRitlandPair(const RunData<Real>& d, std::uint16_t x, std::uint16_t y, LocusSet loci,
                        DegenerateLocusTally* tally) {
  const double r1 = LynchRitlandRxy(d, x, y, loci, tally);
  const double r2 = LynchRitlandRxy(d, y, x, loci, tally);
  return detail::LrPairResult(r1, r2);
}

template <class Real>
double PairRelatedness(const RunData<Real>& d, std::uint16_t x, std::uint16_t y, int Estimator,
                       LocusSet loci, const std::vector<double>& SelfIdentity,
                       DegenerateLocusTally* tally) {
  switch (Estimator) {
    case kLynchRitland:
      return LynchRitlandPair(d, x, y, loci, tally);
    case kQuellerGoodnight:
      return QuellerGoodnightRxy(d, x, y, loci);
    default:
      return IdentityIndex(d, x, y, loci, SelfIdentity);
  }
}

#define RELAKIN_ESTIMATORS(Real)                                                                  \
  template void detail::IdentityLocus(const RunData<Real>&, std::uint16_t, std::uint16_t,         \
                                      std::uint16_t, double&, double&);                           \
  template void detail::QuellerGoodnightLocus(const RunData<Real>&, std::uint16_t, std::uint16_t, \
                                              std::uint16_t, double&, double&);                   \
  template double IdentityIxy(const RunData<Real>&, std::uint16_t, std::uint16_t, LocusSet);      \
  template void FillSelfIdentity(const RunData<Real>&, LocusSet, std::vector<double>&);           \
  template double IdentityIndex(const RunData<Real>&, std::uint16_t, std::uint16_t, LocusSet,     \
                                const std::vector<double>&);                                      \
  template double QuellerGoodnightRxy(const RunData<Real>&, std::uint16_t, std::uint16_t,         \
                                      LocusSet);                                                  \
  template double LynchRitlandWeight(const RunData<Real>&, std::uint16_t, std::uint16_t);         \
  template double LynchRitlandRxy(const RunData<Real>&, std::uint16_t, std::uint16_t, LocusSet,   \
                                  DegenerateLocusTally*);                                         \
  template double LynchRitlandPair(const RunData<Real>&, std::uint16_t, std::uint16_t, LocusSet,  \
                                   DegenerateLocusTally*);                                        \
  template double PairRelatedness(const RunData<Real>&, std::uint16_t, std::uint16_t, int,        \
                                  LocusSet, const std::vector<double>&, DegenerateLocusTally*);
RELAKIN_ESTIMATORS(float)
RELAKIN_ESTIMATORS(double)
#undef RELAKIN_ESTIMATORS

}  // namespace relakin
