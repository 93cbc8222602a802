#include "analysis/confidence_run.h"

#include <limits>
#include <memory>
#include <new>
#include <vector>

#include "analysis/allele_frequencies.h"
#include "analysis/confidence_file.h"
#include "analysis/confidence_limits.h"
#include "analysis/estimators.h"
#include "analysis/locus_list.h"
#include "analysis/ordered_rows.h"
#include "analysis/output_file.h"
#include "analysis/pair_kernel.h"
#include "analysis/relatedness_run.h"
#include "analysis/replicate_terms.h"
#include "core/errors.h"

namespace relakin {
namespace {

constexpr std::uint16_t kNbBoot = 100;

// The degenerate Lynch & Ritland loci met, with the first one in the order of the method:
// replicate, then pair, then direction and list entry. Work done pair by pair reports each
// pair's replicates in order, so the first of a row is kept unless a lower replicate comes.
struct DegenerateLoci {
  DegenerateLocusTally tally;
  std::uint32_t replicate = std::numeric_limits<std::uint32_t>::max();

  void Add(const DegenerateLocusTally& t, std::uint32_t r) {
    if (t.count == 0) return;
    if (r < replicate) {
      replicate = r;
      tally.Sab = t.Sab, tally.pa = t.pa, tally.pb = t.pb;
    }
    tally.count += t.count;
  }
  // `later` covers pairs after those already merged.
  void Merge(const DegenerateLoci& later) {
    if (later.replicate < replicate) {
      replicate = later.replicate;
      tally.Sab = later.tally.Sab, tally.pa = later.tally.pa, tally.pb = later.tally.pb;
    }
    tally.count += later.tally.count;
  }
};

struct RowWork {
  std::string text;
  std::vector<double> values, pseudo, replicate_values;
  PairTerms terms;
  DegenerateLoci degenerate;
};

class Replicates {
 public:
  Replicates(const TestRunData& data, int Estimator, std::uint16_t Method, bool reference)
      : d_(data), estimator_(Estimator), bootstrap_(Method == 0) {
    count_ = bootstrap_ ? kNbBoot + 1u : data.NbLoci + 1u;
    lists_.assign(count_, AllLoci(data.NbLoci));
    sizes_.assign(count_, data.NbLoci);
    identity_ = Estimator != kQuellerGoodnight && Estimator != kLynchRitland;
    if (!reference) {
      terms_ = std::make_unique<ReplicateTerms>(data, Estimator);
      if (identity_) kernel_ = std::make_unique<PairKernel<double>>(data, Estimator);
    }
    if (identity_) self_.resize(count_);
  }

  std::uint32_t count() const { return count_; }
  bool bootstrap() const { return bootstrap_; }

  // The lists of replicates 1 .. R, drawn in replicate order for the bootstrap.
  void BuildLists(RandomGenerator& random) {
    for (std::uint32_t r = 1; r < count_; ++r) {
      if (bootstrap_) {
        ResampleLoci(lists_[r], d_.NbLoci, random);
      } else {
        DropLocus(lists_[r], d_.NbLoci, static_cast<std::uint16_t>(r));
        sizes_[r] = static_cast<std::uint16_t>(d_.NbLoci - 1);
      }
    }
    if (!identity_) return;
    for (std::uint32_t r = 0; r < count_; ++r) {
      if (kernel_) {
        kernel_->FillSelfIdentity(Set(r), self_[r]);
      } else {
        FillSelfIdentity(d_, Set(r), self_[r]);
      }
    }
  }

  // The value of pair (i, j) in replicate r; the fast path needs w.terms built for the pair.
  double Value(std::uint16_t i, std::uint16_t j, std::uint32_t r, const PairTerms& terms,
               DegenerateLocusTally* tally) const {
    if (terms_) {
      return identity_ ? terms_->Value(terms, Set(r), self_[r][i], self_[r][j], tally)
                       : terms_->Value(terms, Set(r), 0, 0, tally);
    }
    return PairRelatedness(d_, i, j, estimator_, Set(r), identity_ ? self_[r] : none_, tally);
  }

  // The values of pair (i, y) in every replicate, in replicate order, into w.replicate_values;
  // the degenerate loci met into w.degenerate.
  void PairValues(std::uint16_t i, std::uint16_t y, RowWork& w) const {
    double* out = w.replicate_values.data();
    if (!terms_) {
      for (std::uint32_t r = 0; r < count_; ++r) {
        DegenerateLocusTally t;
        out[r] = Value(i, y, r, w.terms, &t);
        w.degenerate.Add(t, r);
      }
      return;
    }
    terms_->Build(i, y, w.terms);
    std::uint32_t r = 0;
    while (r < count_) {
      if (r + 4 <= count_ && sizes_[r] == sizes_[r + 3]) {
        const LocusSet sets[4] = {Set(r), Set(r + 1), Set(r + 2), Set(r + 3)};
        double sx[4] = {0, 0, 0, 0}, sy[4] = {0, 0, 0, 0}, v[4];
        if (identity_)
          for (int b = 0; b < 4; ++b) sx[b] = self_[r + b][i], sy[b] = self_[r + b][y];
        terms_->Values4(w.terms, sets, sx, sy, v);
        for (int b = 0; b < 4; ++b) out[r + b] = v[b];
        r += 4;
      } else {
        out[r] = Value(i, y, r, w.terms, nullptr);
        ++r;
      }
    }
    if (w.terms.any_degenerate) {
      for (r = 0; r < count_; ++r) {
        DegenerateLocusTally t;
        terms_->Tally(w.terms, Set(r), t);
        w.degenerate.Add(t, r);
      }
    }
  }

  // The limits row of individual i.
  void LimitsRow(std::uint16_t i, RowWork& w) const {
    w.text.clear();
    w.degenerate = {};
    w.values.resize(std::size_t{count_} + 1);
    w.replicate_values.resize(count_);
    AppendEmptyCells(w.text, i, kLimitsEmptyCell);
    for (std::uint32_t j = i + 1u; j <= d_.NbInd; ++j) {
      const auto y = static_cast<std::uint16_t>(j);
      PairValues(i, y, w);
      std::uint32_t c = 0;
      for (std::uint32_t r = 0; r < count_; ++r)
        if (w.replicate_values[r] != NotComputed) w.values[++c] = w.replicate_values[r];
      if (bootstrap_) {
        AppendBootstrapCell(w.text, w.values.data(), c);
      } else {
        AppendJackknifeCell(w.text, w.values.data(), c, w.replicate_values[0] != NotComputed,
                            w.pseudo);
      }
    }
    w.text += "\r\n";
  }

  void MatrixRow(std::uint16_t i, std::uint16_t Precision, RowWork& w) const {
    w.text.clear();
    AppendEmptyCells(w.text, i, kMatrixEmptyCell);
    for (std::uint32_t j = i + 1u; j <= d_.NbInd; ++j) {
      const auto y = static_cast<std::uint16_t>(j);
      if (terms_) terms_->Build(i, y, w.terms);
      AppendMatrixCell(w.text, Value(i, y, 0, w.terms, nullptr), Precision);
    }
    w.text += "\r\n";
  }

 private:
  LocusSet Set(std::uint32_t r) const { return LocusSet::FirstEntries(lists_[r], sizes_[r]); }

  const TestRunData& d_;
  int estimator_;
  bool bootstrap_, identity_ = false;
  std::uint32_t count_ = 0;
  std::vector<LocusList> lists_;
  std::vector<std::uint16_t> sizes_;
  std::unique_ptr<ReplicateTerms> terms_;
  std::unique_ptr<PairKernel<double>> kernel_;  // self-identities only
  std::vector<std::vector<double>> self_;
  const std::vector<double> none_;
};

std::string ReplicateLabel(bool bootstrap, std::uint32_t r) {
  if (r == 0) return "Sur données réelles";
  return (bootstrap ? "Bootstrap :" : "Sans locus :") + std::to_string(r);
}

// Shows the replicates' progress steps as the share of pairs written passes each of them.
class ReplicateProgress {
 public:
  ReplicateProgress(Progress& p, bool bootstrap, std::uint32_t replicates, std::uint64_t pairs)
      : p_(p), bootstrap_(bootstrap), replicates_(replicates), pairs_(pairs) {}
  void PairsDone(std::uint64_t n) {
    done_ += n;
    const std::uint64_t due = pairs_ == 0 ? replicates_ : 1 + done_ * (replicates_ - 1) / pairs_;
    while (shown_ < replicates_ && shown_ < due) {
      p_.Show(replicates_, ReplicateLabel(bootstrap_, shown_));
      p_.Step();
      ++shown_;
    }
  }

 private:
  Progress& p_;
  bool bootstrap_;
  std::uint32_t replicates_;
  std::uint64_t pairs_, done_ = 0;
  std::uint32_t shown_ = 0;
};

void WriteMatrix(const Replicates& reps, std::uint16_t NbInd, std::uint16_t Precision,
                 unsigned threads, OutputFile& result) {
  result.Write("\r\n");  // ends line 4
  if (NbInd < 2) return;
  ProduceRowsInOrder<RowWork>(
      NbInd - 1u, threads,
      [&](unsigned i, RowWork& w) { reps.MatrixRow(static_cast<std::uint16_t>(i), Precision, w); },
      [&](unsigned, RowWork& w) { result.Write(w.text); });
}

DegenerateLoci WriteLimits(const Replicates& reps, std::uint16_t NbInd, unsigned threads,
                           OutputFile& result, ReplicateProgress& progress) {
  DegenerateLoci degenerate;
  progress.PairsDone(0);
  if (NbInd < 2) return degenerate;
  ProduceRowsInOrder<RowWork>(
      NbInd - 1u, threads,
      [&](unsigned i, RowWork& w) { reps.LimitsRow(static_cast<std::uint16_t>(i), w); },
      [&](unsigned i, RowWork& w) {
        result.Write(w.text);
        degenerate.Merge(w.degenerate);
        progress.PairsDone(NbInd - i);
      });
  return degenerate;
}

}  // namespace

void RunConfidenceIntervals(const std::string& DataFile, const std::string& ResultFile,
                            std::uint16_t Estimator, std::uint16_t Precision, bool PrintPairwise,
                            std::uint16_t Method, RunContext& context, const Reseed& reseed) {
  std::string header;
  const TestRunData data = LoadRunData<double>(
      DataFile, [&](const AnalysisData& read) { header = ConfidenceHeader(read, Estimator); });
  std::unique_ptr<Replicates> reps;
  try {
    reps = std::make_unique<Replicates>(data, Estimator, Method, context.reference);
  } catch (const std::bad_alloc&) {
    throw Error(ErrorKind::Capacity,
                "Mémoire insuffisante pour les listes de loci et les valeurs des réplicats.");
  }
  OutputFile result(ResultFile, FileReplacement::Sync::kToDisk);
  result.Write(header);
  if (reseed) {
    reseed(context.random);
  } else {
    context.random.Randomize();
  }
  reps->BuildLists(context.random);

  const unsigned threads = context.reference ? 1 : ResolveThreads(context.threads);
  const std::uint64_t pairs = std::uint64_t{data.NbInd} * (data.NbInd > 0 ? data.NbInd - 1 : 0) / 2;
  DegenerateLoci degenerate;
  {
    ProgressScope scope(context.progress);
    ReplicateProgress progress(context.progress, reps->bootstrap(), reps->count(), pairs);
    if (PrintPairwise) WriteMatrix(*reps, data.NbInd, Precision, threads, result);
    result.Write(ConfidenceTitle(Method));
    degenerate = WriteLimits(*reps, data.NbInd, threads, result, progress);
  }
  if (const std::string warning = result.Close(); !warning.empty())
    context.messages.Warning(warning);
  if (degenerate.tally.count != 0) context.messages.Show(DegenerateLociMessage(degenerate.tally));
  context.messages.Show(kRunFinished);
}

}  // namespace relakin
