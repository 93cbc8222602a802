// Writing the native genotype file (and the whole-table analysis file), one step per section of
// its layout. The text is built in memory first: a bad cell stops the save before any file is
// touched, and the file is then replaced in one step.
#include <string>

#include "core/allele_tables.h"
#include "core/atomic_file.h"
#include "core/errors.h"
#include "core/genotype_code.h"
#include "core/native_file.h"
#include "core/native_format.h"

namespace relakin {
namespace {

class NativeWriter {
 public:
  NativeWriter(Document& doc, Messages& messages) : doc_(doc), messages_(messages) {}

  std::string Write(DataDescription& d) {
    t_.AllocAlleleTables(doc_);
    SurveyPopulations(d);
    CollectWholeTable();
    WriteNativeHeader();
    WriteLocusBlocks(d);
    WritePopulationBlocks(d);
    return std::move(out_);
  }

 private:
  // Sample size and distinct alleles of every population alone; every cell of every data row is
  // normalised here, before anything is written.
  void SurveyPopulations(DataDescription& d) {
    d.SampleSize.assign(doc_.NbPops + 1, 0);
    d.PopMeanAlleles.assign(doc_.NbPops + 1, 0.0f);
    d.PopLocusAlleleCount.assign(doc_.NbPops + 1, {});
    for (std::size_t p = 1; p <= doc_.NbPops; ++p) {
      t_.ResetAlleleTables();
      const RowRange rows = PopRows(doc_, p);
      for (int r = rows.first; r <= rows.last; ++r) {
        if (!RowHasData(doc_, r)) continue;
        if (t_.SampleSize[p] == UINT16_MAX)
          throw Error(ErrorKind::Capacity, "Trop d'individus dans la population " +
                                               std::to_string(p) + " : 65535 au plus.");
        ++t_.SampleSize[p];
        t_.CollectRowAlleles(doc_.Cells, r);
      }
      ComputePopulationStatistics(p, d);
    }
  }

  // Mean distinct alleles per written locus; 0 when no locus is written.
  void ComputePopulationStatistics(std::size_t p, DataDescription& d) {
    std::vector<std::uint16_t>& counts = d.PopLocusAlleleCount[p];
    counts.assign(t_.NbLocUsed + 1, 0);
    float mean = 0.0f;
    std::size_t k = 0;
    for (std::size_t l = 1; l + 1 < t_.LocusUsed.size(); ++l) {
      if (!t_.LocusUsed[l]) continue;
      counts[++k] = t_.AlleleCount[l];
      mean += t_.AlleleCount[l];
    }
    if (t_.NbLocUsed > 0) mean /= t_.NbLocUsed;
    t_.PopMeanAlleles[p] = mean;
    d.SampleSize[p] = t_.SampleSize[p];
    d.PopMeanAlleles[p] = mean;
  }

  void CollectWholeTable() {
    t_.ResetAlleleTables();
    t_.CollectLocusNames(doc_, messages_);
    for (int r = 2; r < doc_.Cells.RowCount(); ++r) t_.CollectRowAlleles(doc_.Cells, r);
    t_.SortAlleleLists();
  }

  void Line(std::string_view text) {
    out_ += text;
    out_ += kLineEnd;
  }

  void WriteNativeHeader() {
    Line(std::to_string(t_.NbLocUsed) + " " + FileNameForHeader(doc_.CurrentFileName));
    Line(std::to_string(doc_.NbPops) + std::string(kPopCountText));
  }

  // Per written locus its name line and its allele line ("count " then "aaa " per allele).
  void WriteLocusBlocks(DataDescription& d) {
    d.OutLocusNames = t_.OutLocusNames;
    d.LocusAlleles.assign(t_.NbLocUsed + 1, {});
    for (std::size_t k = 1; k <= t_.NbLocUsed; ++k) {
      const std::uint16_t l = doc_.LocusColumnMap[k];
      Line(t_.OutLocusNames[k]);
      std::string alleles = std::to_string(t_.AlleleCount[l]) + " ";
      for (std::size_t j = 1; j <= t_.AlleleCount[l]; ++j)
        alleles += PadAllele3(t_.AlleleList[l][j]) + " ";
      Line(alleles);
      d.LocusAlleles[k] = t_.Alleles(l);
    }
  }

  void WritePopulationBlocks(DataDescription& d) {
    if (doc_.PopNames.size() <= doc_.NbPops) doc_.PopNames.resize(doc_.NbPops + 1);
    d.PopNames.assign(doc_.PopNames.begin(), doc_.PopNames.begin() + doc_.NbPops + 1);
    for (std::size_t p = 1; p <= doc_.NbPops; ++p) {
      Line(doc_.PopNames[p].substr(0, Document::kPopNameLength));
      Line(std::to_string(t_.SampleSize[p]));
      const RowRange rows = PopRows(doc_, p);
      for (int r = rows.first; r <= rows.last; ++r) {
        if (RowHasData(doc_, r)) WriteIndividual(r);
      }
    }
  }

  // The name field, then " " and the genotype per written locus; the grid's last row ends the
  // file without a line end.
  void WriteIndividual(int r) {
    out_ += NameField(doc_.Cells.Cells(1, r));
    for (int c = 2; c < doc_.Cells.ColCount(); ++c) {
      if (!t_.LocusUsed[c - 1]) continue;
      out_ += ' ';
      out_ += NormalizeGenotype(doc_.Cells.Cells(c, r), c, r);
    }
    if (r != doc_.Cells.RowCount() - 1) out_ += kLineEnd;
  }

  Document& doc_;
  Messages& messages_;
  AlleleTables t_;
  std::string out_;
};

}  // namespace

std::string NativeFileText(Document& doc, Messages& messages, DataDescription* description) {
  DataDescription d;
  std::string text = NativeWriter(doc, messages).Write(d);
  if (description) *description = std::move(d);
  return text;
}

DataDescription SaveNativeFile(Document& doc, const std::string& FileName, Messages& messages,
                               FileReplacement::Sync sync) {
  DataDescription d;
  const std::string text = NativeFileText(doc, messages, &d);
  const std::string warning = WriteFileAtomically(FileName, text, sync);
  doc.AnalysisFileReady = true;
  if (!warning.empty()) messages.Warning(warning);
  return d;
}

}  // namespace relakin
