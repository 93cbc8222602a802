#include "analysis/permutation_run.h"

#include <algorithm>
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

// Vector-file lines formatted per task.
constexpr std::size_t kLinesPerChunk = std::size_t{1} << 14;

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

  // The statistic of the current genotypes; writes that data set's vector file.
  DataSetStatistic DataSet(std::uint16_t k, std::uint16_t TestOn) {
    ComputePairValues();
    const std::size_t kept = KeepComputed();
    WriteVectorFile(k, kept);
    const MeanStdDev m = MeanAndStdDev(values_.data(), kept);
    DataSetStatistic s;
    s.defined = m.defined;
    s.value = TestOn == 0 ? m.mean : m.std_dev * m.std_dev;
    return s;
  }

 private:
  void ComputePairValues() {
    const LocusSet loci = LocusSet::All(d_.NbLoci);
    double* slot = values_.data();
    if (reference_) {
      FillSelfIdentity(d_, loci, self_);
      for (std::uint32_t i = 1; i < d_.NbInd; ++i)
        for (std::uint32_t j = i + 1; j <= d_.NbInd; ++j)
          *slot++ = PairRelatedness(d_, static_cast<std::uint16_t>(i),
                                    static_cast<std::uint16_t>(j), estimator_, loci, self_);
      return;
    }
    // The passes changed the genotypes: the kernel's per-individual terms are rebuilt.
    const PairKernel<double> kernel(d_, estimator_);
    if (kernel.estimator() == kIdentityIndex) {
      kernel.FillSelfIdentity(loci, self_);
    } else {
      self_.assign(std::size_t{d_.NbInd} + 1, 0.0);
    }
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

  void WriteVectorFile(std::uint16_t k, std::size_t kept) {
    const std::size_t chunks = (kept + kLinesPerChunk - 1) / kLinesPerChunk;
    // The running sum where each chunk starts: the one sequential pass the sums need.
    chunk_sums_.assign(chunks, 0.0);
    double sum = 0;
    for (std::size_t c = 0; c < chunks; ++c) {
      chunk_sums_[c] = sum;
      const std::size_t end = std::min(kept, (c + 1) * kLinesPerChunk);
      for (std::size_t v = c * kLinesPerChunk; v < end; ++v) sum = sum + values_[v];
    }
    if (texts_.size() < chunks) texts_.resize(chunks);
    pool_.Run(chunks, [&](std::size_t c) {
      std::string& text = texts_[c];
      text.clear();
      const std::size_t from = c * kLinesPerChunk;
      const std::size_t count = std::min(kept, from + kLinesPerChunk) - from;
      text.reserve(count * kVectorLineBytes);
      double running = chunk_sums_[c];
      AppendVectorLines(text, values_.data() + from, count, running);
    });
    texts_.resize(chunks);
    texts_ = writer_.Submit(VectorFileName(k), std::move(texts_));
  }

 public:
  // Waits until every vector file is written and closed.
  void Finish() { writer_.Finish(); }

 private:
  TestRunData& d_;
  int estimator_;
  bool reference_;
  WorkerPool pool_;
  PairRows rows_;
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

  OutputFile result(ResultFile);
  result.Write(header);
  std::string text;
  {
    ProgressScope progress(context.progress);
    for (unsigned k = 0; k <= NbPerm; ++k) {
      const auto set = static_cast<std::uint16_t>(k);
      context.progress.Show(NbPerm + 1u, DataSetLabel(set));
      context.progress.Step();
      if (k > 0) {
        if (PermType == 1) {
          PermuteAlleles(data, context.random);
        } else {
          PermuteGenotypes(data, context.random);
        }
      }
      const DataSetStatistic s = test.DataSet(set, TestOn);
      text.clear();
      if (k == 0) text = PermutationLabels(TestOn, PermType);
      AppendStatistic(text, set, s, NbPerm);
      result.Write(text);
    }
    test.Finish();
  }
  result.Close();
  context.messages.Show(kRunFinished);
}

}  // namespace relakin
