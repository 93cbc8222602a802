#include "analysis/relatedness_run.h"

#include <memory>
#include <vector>

#include "analysis/allele_frequencies.h"
#include "analysis/estimators.h"
#include "analysis/ordered_rows.h"
#include "analysis/output_file.h"
#include "analysis/pair_kernel.h"
#include "analysis/relatedness_file.h"

namespace relakin {
namespace {

struct RowText {
  TextRow values, distances;
};

// The value block and the D block, row by row, through `value(i, j)`.
template <class PairValue>
void WriteRows(const MatrixRunData& d, const RelatednessRows& rows, unsigned threads,
               const PairValue& value, OutputFile& result, OutputFile& scratch,
               Progress& progress) {
  const std::uint16_t n = d.NbInd;
  ProduceRowsInOrder<RowText>(
      n, threads,
      [&](unsigned r, RowText& t) {
        const auto i = static_cast<std::uint16_t>(r);
        rows.Begin(i, t.values, t.distances);
        for (unsigned j = r + 1; j <= n; ++j)
          rows.Cell(value(i, static_cast<std::uint16_t>(j)), t.values, t.distances);
        rows.End(i, t.values, t.distances);
      },
      [&](unsigned, RowText& t) {
        result.Write(t.values.view());
        scratch.Write(t.distances.view());
        progress.Step();
      });
}

}  // namespace

void WriteRelatednessMatrices(const MatrixRunData& d, int Estimator, std::uint16_t Precision,
                              OutputFile& result, RunContext& context) {
  OutputFile scratch(kDistanceScratchFile);
  const RelatednessRows rows(d.NbInd, Precision);
  const std::string column_line = rows.ColumnLine();
  result.Write("\r\n" + column_line + "\r\n");
  scratch.Write("\r\n" + column_line + "\r\n");

  const LocusSet loci = LocusSet::All(d.NbLoci);
  std::vector<double> self;
  std::unique_ptr<PairKernel<float>> kernel;
  if (!context.reference) kernel = std::make_unique<PairKernel<float>>(d, Estimator);
  if (Estimator != kQuellerGoodnight && Estimator != kLynchRitland) {
    if (kernel) {
      kernel->FillSelfIdentity(loci, self);
    } else {
      FillSelfIdentity(d, loci, self);
    }
  } else {
    self.assign(std::size_t{d.NbInd} + 1, 0.0);
  }

  ProgressScope progress(context.progress);
  context.progress.Show(d.NbInd + 1u, "");
  context.progress.Step();
  if (kernel) {
    WriteRows(
        d, rows, ResolveThreads(context.threads),
        [&](std::uint16_t i, std::uint16_t j) { return kernel->Value(i, j, loci, self); }, result,
        scratch, context.progress);
  } else {
    WriteRows(
        d, rows, 1,
        [&](std::uint16_t i, std::uint16_t j) {
          return PairRelatedness(d, i, j, Estimator, loci, self);
        },
        result, scratch, context.progress);
  }
  progress.Close();

  const std::string closing = "\r\n" + column_line;
  result.Write(closing);
  scratch.Write(closing);
  scratch.Close();
  result.Write("\r\n\r\n" + std::string(kDistanceHeading) + "\r\n" + std::to_string(d.NbInd) +
               "\r\n");
  CopyAfterFirstLine(kDistanceScratchFile, result);
  result.Write("\r\n");
  result.Close();
}

void RunRelatedness(const std::string& DataFile, const std::string& ResultFile,
                    std::uint16_t Precision, std::uint16_t /*NbPerm*/, bool /*PrintPairs*/,
                    std::uint16_t /*PermType*/, std::uint16_t Estimator, std::uint16_t /*TestOn*/,
                    RunContext& context) {
  std::unique_ptr<OutputFile> result;
  const MatrixRunData data = LoadRunData<float>(DataFile, [&](const AnalysisData& header) {
    result = std::make_unique<OutputFile>(ResultFile);
    result->Write(RelatednessHeader(header, Estimator));
  });
  WriteRelatednessMatrices(data, Estimator, Precision, *result, context);
  context.messages.Show(kRunFinished);
}

}  // namespace relakin
