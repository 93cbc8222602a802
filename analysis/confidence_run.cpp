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
  std::vector<double> values, pseudo;
  DegenerateLoci degenerate;
};

class Replicates {
 public:
  Replicates(const TestRunData& data, int Estimator, std::uint16_t Method, bool reference)
      : d_(data), estimator_(Estimator), bootstrap_(Method == 0) {
    count_ = bootstrap_ ? kNbBoot + 1u : data.NbLoci + 1u;
    lists_.assign(count_, AllLoci(data.NbLoci));
    sizes_.assign(count_, data.NbLoci);
    if (!reference) kernel_ = std::make_unique<PairKernel<double>>(data, Estimator);
    identity_ = Estimator != kQuellerGoodnight && Estimator != kLynchRitland;
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

  double Value(std::uint16_t i, std::uint16_t j, std::uint32_t r,
               DegenerateLocusTally* tally) const {
    const std::vector<double>& self = identity_ ? self_[r] : none_;
    if (kernel_) return kernel_->Value(i, j, Set(r), self, tally);
    return PairRelatedness(d_, i, j, estimator_, Set(r), self, tally);
  }

  // The limits row of individual i.
  void LimitsRow(std::uint16_t i, RowWork& w) const {
    w.text.clear();
    w.degenerate = {};
    w.values.resize(std::size_t{count_} + 1);
    AppendEmptyCells(w.text, i, kLimitsEmptyCell);
    for (std::uint32_t j = i + 1u; j <= d_.NbInd; ++j) {
      std::uint32_t c = 0;
      bool real = false;
      for (std::uint32_t r = 0; r < count_; ++r) {
        DegenerateLocusTally t;
        const double v = Value(i, static_cast<std::uint16_t>(j), r, &t);
        w.degenerate.Add(t, r);
        if (v == NotComputed) continue;
        w.values[++c] = v;
        real = real || r == 0;
      }
      if (bootstrap_) {
        AppendBootstrapCell(w.text, w.values.data(), c);
      } else {
        AppendJackknifeCell(w.text, w.values.data(), c, real, w.pseudo);
      }
    }
    w.text += "\r\n";
  }

  void MatrixRow(std::uint16_t i, std::uint16_t Precision, std::string& text) const {
    text.clear();
    AppendEmptyCells(text, i, kMatrixEmptyCell);
    for (std::uint32_t j = i + 1u; j <= d_.NbInd; ++j)
      AppendMatrixCell(text, Value(i, static_cast<std::uint16_t>(j), 0, nullptr), Precision);
    text += "\r\n";
  }

 private:
  LocusSet Set(std::uint32_t r) const { return LocusSet::FirstEntries(lists_[r], sizes_[r]); }

  const TestRunData& d_;
  int estimator_;
  bool bootstrap_, identity_ = false;
  std::uint32_t count_ = 0;
  std::vector<LocusList> lists_;
  std::vector<std::uint16_t> sizes_;
  std::unique_ptr<PairKernel<double>> kernel_;
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
  ProduceRowsInOrder<std::string>(
      NbInd - 1u, threads,
      [&](unsigned i, std::string& text) {
        reps.MatrixRow(static_cast<std::uint16_t>(i), Precision, text);
      },
      [&](unsigned, std::string& text) { result.Write(text); });
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
  OutputFile result(ResultFile);
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
  result.Close();
  if (degenerate.tally.count != 0) context.messages.Show(DegenerateLociMessage(degenerate.tally));
  context.messages.Show(kRunFinished);
}

}  // namespace relakin
