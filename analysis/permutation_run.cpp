#include "analysis/permutation_run.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <new>
#include <vector>

#include "analysis/allele_frequencies.h"
#include "analysis/estimators.h"
#include "analysis/mean_and_std_dev.h"
#include "analysis/output_file.h"
#include "analysis/pair_kernel.h"
#include "analysis/pair_rows.h"
#include "analysis/permutation_file.h"
#include "analysis/permutation_passes.h"
#include "analysis/permutation_writer.h"
#include "analysis/relatedness_run.h"
#include "analysis/worker_pool.h"
#include "core/errors.h"

namespace relakin {
namespace {

// Vector-file lines formatted per task: enough tasks to keep every thread busy, none so small
// that handing it over costs more than formatting it.
constexpr std::size_t kMinLinesPerChunk = 256, kMaxLinesPerChunk = std::size_t{1} << 15;

class PermutationTest {
 public:
  PermutationTest(TestRunData& data, int Estimator, const RunContext& context)
      : d_(data),
        estimator_(Estimator),
        reference_(context.reference),
        pool_(context.reference ? 1 : ResolveThreads(context.threads)),
        rows_(data.NbInd, 16 * pool_.size()) {
    try {
      values_.resize(rows_.pairs());
    } catch (const std::bad_alloc&) {
      throw Error(ErrorKind::Capacity, "Mémoire insuffisante pour les " +
                                           std::to_string(rows_.pairs()) +
                                           " valeurs de paires d'un jeu de données.");
    }
  }

  // What the pair values need from the current genotypes; again after every pass.
  void Prepare() {
    const LocusSet loci = LocusSet::All(d_.NbLoci);
    if (reference_) {
      FillSelfIdentity(d_, loci, self_);
      return;
    }
    kernel_ = std::make_unique<PairKernel<double>>(d_, estimator_);
    if (kernel_->estimator() == kIdentityIndex) {
      kernel_->FillSelfIdentity(loci, self_);
    } else {
      self_.assign(std::size_t{d_.NbInd} + 1, 0.0);
    }
  }

  // The statistic of the prepared genotypes; hands that data set's vector file to the writer.
  // `next`, when given, makes the next data set (a pass over the genotypes) while this one's
  // file is formatted, and prepares it.
  DataSetStatistic DataSet(std::uint16_t k, std::uint16_t TestOn,
                           const std::function<void()>& next) {
    ComputePairValues();
    const std::size_t kept = KeepComputed();
    const MeanStdDev m = MeanAndStdDev(values_.data(), kept);
    WriteVectorFile(k, kept, next);
    DataSetStatistic s;
    s.defined = m.defined;
    s.value = TestOn == 0 ? m.mean : m.std_dev * m.std_dev;
    return s;
  }

  // Waits until every vector file is written and closed.
  void Finish() { writer_.Finish(); }

 private:
  void ComputePairValues() {
    const LocusSet loci = LocusSet::All(d_.NbLoci);
    double* slot = values_.data();
    if (reference_) {
      for (std::uint32_t i = 1; i < d_.NbInd; ++i)
        for (std::uint32_t j = i + 1; j <= d_.NbInd; ++j)
          *slot++ = PairRelatedness(d_, static_cast<std::uint16_t>(i),
                                    static_cast<std::uint16_t>(j), estimator_, loci, self_);
      return;
    }
    const PairKernel<double>& kernel = *kernel_;
    pool_.Run(rows_.tasks(), [&](std::size_t t) {
      for (std::uint32_t i = rows_.FirstRow(t); i < rows_.FirstRow(t + 1); ++i) {
        double* out = slot + rows_.RowStart(i);
        for (std::uint32_t j = i + 1; j <= d_.NbInd; ++j)
          *out++ = kernel.Value(static_cast<std::uint16_t>(i), static_cast<std::uint16_t>(j), loci,
                                self_);
      }
    });
  }

  // Moves the computed values, in pair order, to the front; returns their number.
  std::size_t KeepComputed() {
    std::size_t kept = 0;
    for (const double v : values_)
      if (v != NotComputed) values_[kept++] = v;
    return kept;
  }

  void WriteVectorFile(std::uint16_t k, std::size_t kept, const std::function<void()>& next) {
    const std::size_t per_chunk = std::clamp<std::size_t>(kept / (4 * pool_.size()) + 1,
                                                          kMinLinesPerChunk, kMaxLinesPerChunk);
    const std::size_t chunks = (kept + per_chunk - 1) / per_chunk;
    // The running sum where each chunk starts: the one sequential pass the sums need.
    chunk_sums_.assign(chunks, 0.0);
    double sum = 0;
    for (std::size_t c = 0; c < chunks; ++c) {
      chunk_sums_[c] = sum;
      const std::size_t end = std::min(kept, (c + 1) * per_chunk);
      for (std::size_t v = c * per_chunk; v < end; ++v) sum = sum + values_[v];
    }
    texts_.resize(chunks);
    pool_.Run(
        chunks,
        [&](std::size_t c) {
          // Formatted into a string of the task's own: neighbouring chunk strings share cache
          // lines, and every append would bounce them between the threads.
          std::string text;
          text.swap(texts_[c]);
          text.clear();
          const std::size_t from = c * per_chunk;
          const std::size_t count = std::min(kept, from + per_chunk) - from;
          text.reserve(count * kVectorLineBytes);
          double running = chunk_sums_[c];
          AppendVectorLines(text, values_.data() + from, count, running);
          texts_[c].swap(text);
        },
        [&] {
          if (!next) return;
          next();
          Prepare();
        });
    texts_ = writer_.Submit(VectorFileName(k), std::move(texts_));
  }

  TestRunData& d_;
  int estimator_;
  bool reference_;
  WorkerPool pool_;
  PairRows rows_;
  std::unique_ptr<PairKernel<double>> kernel_;
  std::vector<double> values_, self_, chunk_sums_;
  std::vector<std::string> texts_;
  PermutationWriter writer_;
};

std::string DataSetLabel(std::uint16_t k) {
  return k == 0 ? "Sur données réelles" : "Permutation :" + std::to_string(k);
}

}  // namespace

void RunPermutationTest(const std::string& DataFile, const std::string& ResultFile,
                        std::uint16_t /*Precision*/, std::uint16_t NbPerm, bool /*PrintPairs*/,
                        std::uint16_t PermType, std::uint16_t Estimator, std::uint16_t TestOn,
                        RunContext& context) {
  std::string header;
  TestRunData data = LoadRunData<double>(
      DataFile, [&](const AnalysisData& read) { header = PermutationHeader(read, Estimator); });
  if (PermType == 1 && NbPerm > 0 && data.NbInd > kMaxAllelePassIndividuals)
    throw Error(ErrorKind::Capacity, "La permutation des allèles prend au plus " +
                                         std::to_string(kMaxAllelePassIndividuals) +
                                         " individus ; le fichier en a " +
                                         std::to_string(data.NbInd) + ".");
  PermutationTest test(data, Estimator, context);

  OutputFile result(ResultFile, FileReplacement::Sync::kToDisk);
  result.Write(header);
  std::string text;
  {
    ProgressScope progress(context.progress);
    // Data set k + 1 is the genotypes after one more pass; it is made while data set k's
    // vector file is formatted.
    const std::function<void()> pass = [&] {
      if (PermType == 1) {
        PermuteAlleles(data, context.random);
      } else {
        PermuteGenotypes(data, context.random);
      }
    };
    test.Prepare();
    for (unsigned k = 0; k <= NbPerm; ++k) {
      const auto set = static_cast<std::uint16_t>(k);
      context.progress.Show(NbPerm + 1u, DataSetLabel(set));
      context.progress.Step();
      const DataSetStatistic s = test.DataSet(set, TestOn, k < NbPerm ? pass : nullptr);
      text.clear();
      if (k == 0) text = PermutationLabels(TestOn, PermType);
      AppendStatistic(text, set, s, NbPerm);
      result.Write(text);
    }
    test.Finish();
  }
  if (const std::string warning = result.Close(); !warning.empty())
    context.messages.Warning(warning);
  context.messages.Show(kRunFinished);
}

}  // namespace relakin
