// The pair values of the confidence-interval run over many locus lists, by replay.
//
// Over a locus list, an estimator's running sums receive, entry after entry, the additions of
// that entry's locus, and those additions depend on the pair and the locus only. So they are
// worked out once per pair (Build) and each list is then a replay of additions in list order
// (Value): the same operands in the same order as the literal estimators (estimators.h), hence
// the same bits. A locus that adds nothing replays additions of +0, which change no sum (a sum
// that starts at +0 never becomes -0). Identity index: per locus S / S2 and 1 / S2; Queller &
// Goodnight: per locus the terms of the alleles the pair carries, x's before y's; Lynch &
// Ritland: per locus r * w and w in each direction, and whether the locus is degenerate there.
//
// Build and Value are const and may run on many threads, each with its own PairTerms. The
// object keeps a reference to `data`, which must outlive it and not change.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "analysis/estimator_steps.h"
#include "analysis/estimators.h"
#include "analysis/run_data.h"

namespace relakin {

// One pair's additions per locus (1 .. NbLoci); reused from pair to pair.
struct PairTerms {
  std::uint16_t x = 0, y = 0;
  std::vector<double> a, b, c, e;  // identity: a = S / S2, b = 1 / S2; LR: a, b = r w, w
                                   // with x as reference, c, e the same with y
  // Queller & Goodnight: per locus its additions to N (q[l][0 .. 3]) and to D (q[l][4 .. 7]),
  // padded with +0; a locus whose list repeats a code may need more (`wide`), and then the
  // pair's terms of locus l are qn, qd [offset[l], offset[l + 1]).
  std::vector<std::array<double, 8>> q;
  bool wide = false;
  std::vector<std::uint32_t> offset;
  std::vector<double> qn, qd;
  std::vector<std::uint8_t> degenerate;  // LR: bit 0 with x as reference, bit 1 with y
  bool any_degenerate = false;
};

class ReplicateTerms {
 public:
  ReplicateTerms(const TestRunData& data, int Estimator);

  int estimator() const { return estimator_; }
  void Build(std::uint16_t x, std::uint16_t y, PairTerms& t) const;
  // The pair's value over `loci`, as PairRelatedness gives it. self_x, self_y: the two
  // self-identities over the same loci (identity index only); `tally` receives the degenerate
  // Lynch & Ritland loci in the literal order (x's direction first, then y's).
  double Value(const PairTerms& t, LocusSet loci, double self_x, double self_y,
               DegenerateLocusTally* tally) const;
  // Value over four locus sets of the same size at once (no tally): the same bits, four
  // independent chains of additions.
  void Values4(const PairTerms& t, const LocusSet (&loci)[4], const double (&self_x)[4],
               const double (&self_y)[4], double (&out)[4]) const;
  // The degenerate Lynch & Ritland loci of the pair over `loci`, in the literal order.
  void Tally(const PairTerms& t, LocusSet loci, DegenerateLocusTally& tally) const;

 private:
  void BuildIdentity(PairTerms& t) const;
  void BuildQuellerGoodnight(PairTerms& t) const;
  void BuildLynchRitland(PairTerms& t) const;
  const detail::LrReference& Reference(std::size_t ind, std::size_t l) const {
    return references_[ind * (std::size_t{d_.NbLoci} + 1) + l];
  }
  bool Counts(std::uint16_t x, std::uint16_t y, std::size_t l) const {
    return d_.First(x, l) != 0 && d_.First(y, l) != 0;
  }

  const TestRunData& d_;
  int estimator_;
  std::vector<detail::LrReference> references_;  // per individual and locus, LR only
  // Queller & Goodnight: per locus, no code repeated in its list; per individual and locus
  // the list positions of its two codes (0 when absent).
  std::vector<std::uint8_t> regular_;
  std::vector<std::uint16_t> positions_;
};

}  // namespace relakin
