#include "analysis/pair_kernel.h"

#include <algorithm>
#include <bit>
#include <utility>

#include "analysis/estimator_steps.h"

// Every fast step below adds exactly the terms of the literal step, in the same order, plus
// exact zeros where the literal step adds nothing. No running sum is ever -0 (they start at +0
// and no term is -0), so adding +0 leaves it unchanged bit for bit.

namespace relakin {
namespace {

constexpr std::uint32_t kNoPosition = 0x10000u;  // after every list position

// v, or +0 when keep is false, without a branch.
inline double Keep(double v, std::uint64_t keep_mask) {
  return std::bit_cast<double>(std::bit_cast<std::uint64_t>(v) & keep_mask);
}

// Calls f(l) for every locus of the set in order, with the branch on the set's kind hoisted.
template <class F>
inline void ForEachLocus(LocusSet loci, F&& f) {
  const std::uint16_t* e = loci.entries();
  const unsigned m = loci.size();
  if (e == nullptr) {
    for (unsigned l = 1; l <= m; ++l) f(static_cast<std::uint16_t>(l));
  } else {
    for (unsigned k = 0; k < m; ++k) f(e[k]);
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
  if (estimator_ == kIdentityIndex) BuildIdentityStates();
  if (estimator_ == kQuellerGoodnight) BuildQuellerGoodnight();
  if (estimator_ == kLynchRitland) BuildLynchRitland();
}

template <class Real>
void PairKernel<Real>::BuildLoci() {
  regular_.assign(nb_loci_ + 1, 1);
  inv_s2_.assign(nb_loci_ + 1, 0.0);
  q_.assign(nb_loci_ + 1, {});
  w_.assign(nb_loci_ + 1, {});
  freq_.assign(nb_loci_ + 1, {});
  for (std::size_t l = 1; l <= nb_loci_; ++l) {
    const auto& codes = data_.AlleleCodes[l];
    std::vector<std::uint16_t> sorted(codes.begin() + 1, codes.end());
    std::sort(sorted.begin(), sorted.end());
    regular_[l] = std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end();
    all_regular_ = all_regular_ && regular_[l];
    freq_[l].assign(codes[0] + 1, 0.0);
    double S2 = 0;  // in list order, as the literal identity sums it
    for (std::size_t i = 1; i <= codes[0]; ++i) {
      const double f = data_.AlleleFreqs[l][i];
      freq_[l][i] = f;
      S2 = S2 + f * f;
    }
    if (S2 == 0) continue;  // the locus adds nothing: zeros
    inv_s2_[l] = 1 / S2;
    w_[l][1] = inv_s2_[l];
    for (int c = 0; c <= 4; ++c) q_[l][5 + c] = (0.25 * c) / S2;
  }
}

template <class Real>
void PairKernel<Real>::BuildAlleles() {
  alleles_.assign((std::size_t{data_.NbInd} + 1) * nb_loci_, {});
  for (std::size_t x = 1; x <= data_.NbInd; ++x) {
    for (std::size_t l = 1; l <= nb_loci_; ++l) {
      Alleles& g = alleles_[Index(x, l)];
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
void PairKernel<Real>::BuildIdentityStates() {
  Table<std::uint8_t> state(alleles_.size(), 0);
  std::vector<std::vector<Alleles>> kinds(nb_loci_ + 1);
  for (std::size_t l = 1; l <= nb_loci_; ++l) {
    auto& seen = kinds[l];
    for (std::size_t x = 1; x <= data_.NbInd; ++x) {
      const Alleles& g = At(x, l);
      const auto same = [&](const Alleles& h) {
        return (h.a != 0) == (g.a != 0) && h.pa == g.pa && h.pb == g.pb;
      };
      std::size_t k = std::find_if(seen.begin(), seen.end(), same) - seen.begin();
      if (k == seen.size()) {
        if (seen.size() == kMaxStates) return;  // too many: keep the comparisons
        seen.push_back(g);
      }
      state[Index(x, l)] = static_cast<std::uint8_t>(k);
    }
  }
  id_states_.assign(nb_loci_ + 1, 0);
  id_cell_.assign(nb_loci_ + 1, {});
  for (std::size_t l = 1; l <= nb_loci_; ++l) {
    const auto& seen = kinds[l];
    const std::size_t n = seen.size();
    id_states_[l] = static_cast<std::uint32_t>(n);
    id_cell_[l].resize(n * n);
    for (std::size_t i = 0; i < n; ++i) {
      for (std::size_t j = 0; j < n; ++j) {
        const Alleles &gx = seen[i], &gy = seen[j];
        const int matches = ((gx.pa != 0) & (gx.pa == gy.pa)) + ((gx.pa != 0) & (gx.pa == gy.pb)) +
                            ((gx.pb != 0) & (gx.pb == gy.pa)) + ((gx.pb != 0) & (gx.pb == gy.pb));
        const int counted = (gx.a != 0) & (gy.a != 0);
        id_cell_[l][i * n + j] = static_cast<std::uint8_t>(5 * counted + matches);
      }
    }
  }
  id_state_ = std::move(state);
}

template <class Real>
void PairKernel<Real>::BuildQuellerGoodnight() {
  qg_.assign(alleles_.size(), {});
  for (std::size_t x = 1; x <= data_.NbInd; ++x) {
    for (std::size_t l = 1; l <= nb_loci_; ++l) {
      const Alleles& g = At(x, l);
      QgTerms& t = qg_[Index(x, l)];
      t.pa = g.pa;
      t.pb = g.pb;
      t.typed = g.a != 0;
      std::uint16_t carried[2] = {g.lo, g.hi != g.lo ? g.hi : std::uint16_t{0}};
      if (carried[0] == 0) std::swap(carried[0], carried[1]);  // absent ones last
      for (int s = 0; s < 2; ++s) {
        const std::uint16_t v = carried[s];
        t.pos[s] = v != 0 ? v : kNoPosition;
        if (v == 0) continue;
        const double p = freq_[l][v];
        const double Px = 0.5 * ((g.pa == v) + (g.pb == v));
        // The terms of detail::QgAlleleStep with this individual first.
        t.d[s] = Px == 1 ? 2 * (1 - p) : (0.5 - p);
        for (int c = 0; c <= 2; ++c) {
          const double Py = 0.5 * c;
          t.n[s][c] = Px == 1 ? 2 * (Py - p) : (Py - p);
        }
      }
    }
  }
}

template <class Real>
void PairKernel<Real>::NumberGenotypes(Table<std::uint8_t>& state,
                                       std::vector<std::vector<std::uint16_t>>& holders) const {
  state.assign(alleles_.size(), 0);
  holders.assign(nb_loci_ + 1, {});
  constexpr std::size_t kSlots = 256;  // open addressing, at most kMaxStates used
  std::array<std::uint32_t, kSlots> keys;
  std::array<std::int16_t, kSlots> ids;
  for (std::size_t l = 1; l <= nb_loci_; ++l) {
    ids.fill(-1);
    auto& held = holders[l];
    for (std::size_t x = 1; x <= data_.NbInd; ++x) {
      const Alleles& g = At(x, l);
      const std::uint32_t key = std::uint32_t{g.a} << 16 | g.b;
      std::size_t h = (key * 0x9E3779B1u) >> 24;
      while (ids[h] >= 0 && keys[h] != key) h = (h + 1) % kSlots;
      if (ids[h] < 0) {
        if (held.size() == kMaxStates) {  // too many: this locus is not numbered
          held.clear();
          break;
        }
        keys[h] = key;
        ids[h] = static_cast<std::int16_t>(held.size());
        held.push_back(static_cast<std::uint16_t>(x));
      }
      state[Index(x, l)] = static_cast<std::uint8_t>(ids[h]);
    }
  }
}

template <class Real>
typename PairKernel<Real>::LrTerms PairKernel<Real>::MakeLrTerms(std::size_t x,
                                                                 std::size_t l) const {
  const Alleles& g = At(x, l);
  const double fa = g.pa != 0 ? freq_[l][g.pa] : 0.0;
  const double fb = g.pb != 0 ? freq_[l][g.pb] : 0.0;
  const detail::LrReference r = detail::MakeLrReference(g.a, g.b, g.pa, g.pb, fa, fb);
  LrTerms t{};
  t.state = r.state;
  t.Sab = r.Sab;
  t.pa = r.pa;
  t.pb = r.pb;
  if (r.state != detail::LrReference::kUsable) return t;
  t.w[1] = r.w;
  for (int na = 0; na <= 2; ++na)
    for (int nb = 0; nb <= 2; ++nb) t.rw[1 + na * 3 + nb] = detail::LrLocusValue(r, na, nb) * r.w;
  return t;
}

// A locus's terms depend on the genotype only: made once per genotype a locus holds. When
// every locus is numbered and the pairs far outnumber the genotype pairs (which are then no
// more than the individual-locus entries), the terms are kept per genotype and the pair tables
// built; otherwise per individual.
template <class Real>
void PairKernel<Real>::BuildLynchRitland() {
  Table<std::uint8_t> state;
  std::vector<std::vector<std::uint16_t>> holders;
  NumberGenotypes(state, holders);
  const std::size_t n = data_.NbInd;
  std::size_t cells = 0;
  bool numbered = n > 0;
  for (std::size_t l = 1; l <= nb_loci_; ++l) {
    numbered = numbered && !holders[l].empty();
    cells += holders[l].size() * holders[l].size();
  }
  lr_by_state_ = numbered && n * (n - 1) / 2 >= 4 * cells && cells <= n * nb_loci_;
  if (lr_by_state_) {
    lr_made_start_.assign(nb_loci_ + 1, 0);
    lr_made_.clear();
    for (std::size_t l = 1; l <= nb_loci_; ++l) {
      lr_made_start_[l] = lr_made_.size();
      for (const std::uint16_t h : holders[l]) lr_made_.push_back(MakeLrTerms(h, l));
    }
    lr_state_ = std::move(state);
    BuildLrCells(holders, cells);
    return;
  }
  lr_.resize(alleles_.size());
  std::vector<LrTerms> made;
  for (std::size_t l = 1; l <= nb_loci_; ++l) {
    made.clear();
    for (const std::uint16_t h : holders[l]) made.push_back(MakeLrTerms(h, l));
    for (std::size_t x = 1; x <= n; ++x) {
      const std::size_t i = Index(x, l);
      lr_[i] = made.empty() ? MakeLrTerms(x, l) : made[state[i]];
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
  if (inv_s2_[l] == 0) return;
  IdentityFast(x, y, l, N, W);
}

template <class Real>
inline void PairKernel<Real>::IdentityFast(std::uint16_t x, std::uint16_t y, std::uint16_t l,
                                           double& N, double& W) const {
  const Alleles& gx = At(x, l);
  const Alleles& gy = At(y, l);
  const bool counted = (gx.a != 0) & (gy.a != 0);
  const int matches = ((gx.pa != 0) & (gx.pa == gy.pa)) + ((gx.pa != 0) & (gx.pa == gy.pb)) +
                      ((gx.pb != 0) & (gx.pb == gy.pa)) + ((gx.pb != 0) & (gx.pb == gy.pb));
  W = W + w_[l][counted];
  N = N + q_[l][counted * 5 + matches];  // arithmetic, not a branch on missing data
}

template <class Real>
double PairKernel<Real>::IdentityAllLoci(std::uint16_t x, std::uint16_t y, std::size_t m) const {
  const std::uint8_t* sx = &id_state_[Index(x, 1)];
  const std::uint8_t* sy = &id_state_[Index(y, 1)];
  double N = 0, W = 0;
  for (std::size_t l = 1; l <= m; ++l) {
    const std::uint8_t cell = id_cell_[l][sx[l - 1] * id_states_[l] + sy[l - 1]];
    W = W + w_[l][cell >= 5];
    N = N + q_[l][cell];
  }
  return detail::IdentityResult(N, W);
}

template <class Real>
double PairKernel<Real>::IdentityIxy(std::uint16_t x, std::uint16_t y, LocusSet loci) const {
  if (all_regular_ && !id_state_.empty() && loci.entries() == nullptr)
    return IdentityAllLoci(x, y, loci.size());
  // Separate sums per loop: the literal steps take their address, which would keep the fast
  // loop's sums in memory.
  if (all_regular_) {
    double N = 0, W = 0;
    ForEachLocus(loci, [&](std::uint16_t l) { IdentityFast(x, y, l, N, W); });
    return detail::IdentityResult(N, W);
  }
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
  QgFast(x, y, l, N, D);
}

template <class Real>
inline void PairKernel<Real>::QgFast(std::uint16_t x, std::uint16_t y, std::uint16_t l, double& N,
                                     double& D) const {
  const QgTerms& tx = qg_[Index(x, l)];
  const QgTerms& ty = qg_[Index(y, l)];
  const std::uint64_t keep = tx.typed & ty.typed ? ~std::uint64_t{0} : 0;
  const std::uint32_t x1 = tx.pos[0], x2 = tx.pos[1], y1 = ty.pos[0], y2 = ty.pos[1];
  // Rank of each event in list order, x's before y's at the same allele: a permutation of 0..3.
  const int c11 = y1 < x1, c12 = y1 < x2, c21 = y2 < x1, c22 = y2 < x2;
  const int rank_x1 = c11 + c21, rank_x2 = 1 + c12 + c22;
  const int rank_y1 = 2 - c11 - c12, rank_y2 = 3 - c21 - c22;
  const auto copies = [](const QgTerms& t, std::uint32_t pos) {
    return (t.pa == pos) + (t.pb == pos);
  };
  double n[4], d[4];
  n[rank_x1] = tx.n[0][copies(ty, x1)];
  d[rank_x1] = tx.d[0];
  n[rank_x2] = tx.n[1][copies(ty, x2)];
  d[rank_x2] = tx.d[1];
  n[rank_y1] = ty.n[0][copies(tx, y1)];
  d[rank_y1] = ty.d[0];
  n[rank_y2] = ty.n[1][copies(tx, y2)];
  d[rank_y2] = ty.d[1];
  for (int k = 0; k < 4; ++k) {
    N = N + Keep(n[k], keep);
    D = D + Keep(d[k], keep);
  }
}

template <class Real>
double PairKernel<Real>::QuellerGoodnight(std::uint16_t x, std::uint16_t y, LocusSet loci) const {
  if (all_regular_) {
    double N = 0, D = 0;
    ForEachLocus(loci, [&](std::uint16_t l) { QgFast(x, y, l, N, D); });
    return detail::QgResult(N, D);
  }
  double N = 0, D = 0;
  ForEachLocus(loci, [&](std::uint16_t l) { QgStep(x, y, l, N, D); });
  return detail::QgResult(N, D);
}

template <class Real>
inline typename PairKernel<Real>::LrCell PairKernel<Real>::LrLocusTerms(std::uint16_t x,
                                                                        std::uint16_t y,
                                                                        std::uint16_t l) const {
  const std::size_t ix = Index(x, l), iy = Index(y, l);
  const Alleles& gx = alleles_[ix];
  const Alleles& gy = alleles_[iy];
  const bool counted = (gx.a != 0) & (gy.a != 0);
  const LrTerms& tx = LrAt(x, l);
  const LrTerms& ty = LrAt(y, l);
  const int m_aa = gx.a == gy.a, m_ab = gx.a == gy.b, m_ba = gx.b == gy.a, m_bb = gx.b == gy.b;
  // x as reference: na = Sac + Sad, nb = Sbc + Sbd; y as reference the same from y's side.
  const int ix_cell = counted * (1 + (m_aa + m_ab) * 3 + (m_ba + m_bb));
  const int iy_cell = counted * (1 + (m_aa + m_ba) * 3 + (m_ab + m_bb));
  return {tx.rw[ix_cell], tx.w[counted], ty.rw[iy_cell], ty.w[counted]};
}

template <class Real>
inline void PairKernel<Real>::LrFast(std::uint16_t x, std::uint16_t y, std::uint16_t l, double& N1,
                                     double& D1, double& N2, double& D2) const {
  const LrCell c = LrLocusTerms(x, y, l);
  N1 = N1 + c.n1;
  D1 = D1 + c.d1;
  N2 = N2 + c.n2;
  D2 = D2 + c.d2;
}

template <class Real>
void PairKernel<Real>::BuildLrCells(const std::vector<std::vector<std::uint16_t>>& holders,
                                    std::size_t cells) {
  lr_states_.assign(nb_loci_ + 1, 0);
  lr_cell_start_.assign(nb_loci_ + 1, 0);
  lr_cell_.clear();
  lr_cell_.reserve(cells);
  for (std::size_t l = 1; l <= nb_loci_; ++l) {
    const auto locus = static_cast<std::uint16_t>(l);
    lr_states_[l] = static_cast<std::uint32_t>(holders[l].size());
    lr_cell_start_[l] = lr_cell_.size();
    for (const std::uint16_t x : holders[l])
      for (const std::uint16_t y : holders[l]) lr_cell_.push_back(LrLocusTerms(x, y, locus));
  }
}

template <class Real>
double PairKernel<Real>::LrAllLoci(std::uint16_t x, std::uint16_t y, std::size_t m) const {
  const std::uint8_t* sx = &lr_state_[Index(x, 1)];
  const std::uint8_t* sy = &lr_state_[Index(y, 1)];
  double N1 = 0, D1 = 0, N2 = 0, D2 = 0;
  for (std::size_t l = 1; l <= m; ++l) {
    const LrCell& c = lr_cell_[lr_cell_start_[l] + sx[l - 1] * lr_states_[l] + sy[l - 1]];
    N1 = N1 + c.n1;
    D1 = D1 + c.d1;
    N2 = N2 + c.n2;
    D2 = D2 + c.d2;
  }
  return detail::LrPairResult(detail::LrDirectionResult(N1, D1), detail::LrDirectionResult(N2, D2));
}

template <class Real>
double PairKernel<Real>::LynchRitland(std::uint16_t x, std::uint16_t y, LocusSet loci,
                                      DegenerateLocusTally* tally) const {
  if (tally == nullptr && !lr_cell_.empty() && loci.entries() == nullptr)
    return LrAllLoci(x, y, loci.size());
  double N1 = 0, D1 = 0, N2 = 0, D2 = 0;
  ForEachLocus(loci, [&](std::uint16_t l) { LrFast(x, y, l, N1, D1, N2, D2); });
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

template <class Real>
void PairKernel<Real>::LrRowAllLoci(std::uint16_t x, std::uint16_t first, std::uint16_t last,
                                    std::size_t m, double* out) const {
  const std::uint8_t* sx = &lr_state_[Index(x, 1)];
  unsigned y = first;
  // Two partners at once: eight independent running sums, each still added in locus order.
  for (; y + 1u <= last; y += 2, out += 2) {
    const std::uint8_t* s0 = &lr_state_[Index(y, 1)];
    const std::uint8_t* s1 = s0 + nb_loci_;
    double N1 = 0, D1 = 0, N2 = 0, D2 = 0, M1 = 0, E1 = 0, M2 = 0, E2 = 0;
    for (std::size_t l = 1; l <= m; ++l) {
      const LrCell* row = &lr_cell_[lr_cell_start_[l] + sx[l - 1] * lr_states_[l]];
      const LrCell& c = row[s0[l - 1]];
      const LrCell& e = row[s1[l - 1]];
      N1 = N1 + c.n1;
      D1 = D1 + c.d1;
      N2 = N2 + c.n2;
      D2 = D2 + c.d2;
      M1 = M1 + e.n1;
      E1 = E1 + e.d1;
      M2 = M2 + e.n2;
      E2 = E2 + e.d2;
    }
    out[0] =
        detail::LrPairResult(detail::LrDirectionResult(N1, D1), detail::LrDirectionResult(N2, D2));
    out[1] =
        detail::LrPairResult(detail::LrDirectionResult(M1, E1), detail::LrDirectionResult(M2, E2));
  }
  if (y == last) *out = LrAllLoci(x, static_cast<std::uint16_t>(y), m);
}

template <class Real>
void PairKernel<Real>::Values(std::uint16_t x, std::uint16_t first, std::uint16_t last,
                              LocusSet loci, const std::vector<double>& SelfIdentity,
                              double* out) const {
  if (estimator_ == kLynchRitland && !lr_cell_.empty() && loci.entries() == nullptr)
    return LrRowAllLoci(x, first, last, loci.size(), out);
  for (unsigned y = first; y <= last; ++y)
    *out++ = Value(x, static_cast<std::uint16_t>(y), loci, SelfIdentity);
}

template class PairKernel<float>;
template class PairKernel<double>;

}  // namespace relakin
