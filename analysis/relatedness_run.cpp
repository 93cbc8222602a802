#include "analysis/relatedness_run.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "analysis/allele_frequencies.h"
#include "analysis/estimators.h"
#include "analysis/fixed_format.h"
#include "analysis/ordered_rows.h"
#include "analysis/output_file.h"
#include "analysis/pair_kernel.h"
#include "analysis/relatedness_file.h"

namespace relakin {
namespace {

// One row of both blocks. A cache line of its own: workers filling neighbouring rows would
// otherwise share the lines that hold the buffers' sizes.
struct alignas(64) RowText {
  TextRow values, distances;
};

// The rows of one chunk, each buffer sized once for a row whose every cell widens by one (as
// negative values do), since fresh memory is dear to touch.
struct ChunkText {
  std::vector<RowText> rows;
};

// Columns taken together across a chunk's rows, so that a partner's terms are read once from
// memory for all the rows of the chunk.
constexpr unsigned kColumnBlock = 128;

// The value block into `result` and the D block into `scratch`; values_of(i, from, to, out)
// gives the pair values of row i from column `from` to column `to` (from <= to). Chunks of rows
// are formatted on the workers and each file gets them in row order from a thread of its own,
// so the bytes do not depend on the threads; 3 chunks per worker are in flight.
template <class PairValues>
void WriteRows(const MatrixRunData& d, const RelatednessRows& rows, unsigned threads,
               std::size_t chunk_bytes, const PairValues& values_of, OutputFile& result,
               OutputFile& scratch, Progress& progress) {
  const unsigned n = d.NbInd;
  const auto per_chunk =
      static_cast<unsigned>(std::clamp<std::size_t>(chunk_bytes / rows.RowBytes(), 1, n + 1));
  const unsigned chunks = (n + per_chunk - 1) / per_chunk;
  const std::size_t room = rows.RowBytes() + n + kCellRoom;
  const auto first_row = [&](unsigned k) { return (k - 1) * per_chunk + 1; };
  const auto last_row = [&](unsigned k) { return std::min(n, k * per_chunk); };
  // The two files' writers take about a core between them.
  const unsigned workers = threads > 2 ? threads - 1 : threads;
  ProduceRowsInOrder<ChunkText>(
      chunks, workers, 3 * workers,
      [&](unsigned k, ChunkText& t) {
        const unsigned first = first_row(k), last = last_row(k);
        t.rows.resize(last - first + 1);
        for (unsigned r = first; r <= last; ++r) {
          RowText& row = t.rows[r - first];
          row.values.clear();
          row.distances.clear();
          row.values.Reserve(room);
          row.distances.Reserve(room);
          rows.Begin(static_cast<std::uint16_t>(r), row.values, row.distances);
        }
        double values[kColumnBlock];
        for (unsigned block = first + 1; block <= n; block += kColumnBlock) {
          const unsigned block_end = std::min(n, block + kColumnBlock - 1);
          for (unsigned r = first; r <= last; ++r) {
            const auto i = static_cast<std::uint16_t>(r);
            const unsigned from = std::max(block, r + 1);
            if (from > block_end) continue;
            values_of(i, static_cast<std::uint16_t>(from), static_cast<std::uint16_t>(block_end),
                      values);
            RowText& row = t.rows[r - first];
            rows.Cells(values, block_end - from + 1, row.values, row.distances);
          }
        }
        for (unsigned r = first; r <= last; ++r) {
          RowText& row = t.rows[r - first];
          rows.End(static_cast<std::uint16_t>(r), row.values, row.distances);
        }
      },
      {[&](unsigned, ChunkText& t) {
         for (const RowText& row : t.rows) {
           result.Write(row.values.view());
           progress.Step();
         }
       },
       [&](unsigned, ChunkText& t) {
         for (const RowText& row : t.rows) scratch.Write(row.distances.view());
       }});
}

}  // namespace

void WriteRelatednessMatrices(const MatrixRunData& d, int Estimator, std::uint16_t Precision,
                              OutputFile& result, RunContext& context, std::size_t chunk_bytes) {
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
        d, rows, ResolveThreads(context.threads), chunk_bytes,
        [&](std::uint16_t i, std::uint16_t from, std::uint16_t to, double* out) {
          kernel->Values(i, from, to, loci, self, out);
        },
        result, scratch, context.progress);
  } else {
    WriteRows(
        d, rows, 1, chunk_bytes,
        [&](std::uint16_t i, std::uint16_t from, std::uint16_t to, double* out) {
          for (unsigned j = from; j <= to; ++j)
            *out++ = PairRelatedness(d, i, static_cast<std::uint16_t>(j), Estimator, loci, self);
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
  if (const std::string warning = result.Close(); !warning.empty())
    context.messages.Warning(warning);
}

void RunRelatedness(const std::string& DataFile, const std::string& ResultFile,
                    std::uint16_t Precision, std::uint16_t /*NbPerm*/, bool /*PrintPairs*/,
                    std::uint16_t /*PermType*/, std::uint16_t Estimator, std::uint16_t /*TestOn*/,
                    RunContext& context) {
  std::unique_ptr<OutputFile> result;
  const MatrixRunData data = LoadRunData<float>(DataFile, [&](const AnalysisData& header) {
    result = std::make_unique<OutputFile>(ResultFile, FileReplacement::Sync::kToDisk);
    result->Write(RelatednessHeader(header, Estimator));
  });
  WriteRelatednessMatrices(data, Estimator, Precision, *result, context);
  context.messages.Show(kRunFinished);
}

}  // namespace relakin
