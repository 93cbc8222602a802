#include "core/selection_file.h"

#include "core/allele_tables.h"
#include "core/atomic_file.h"
#include "core/errors.h"
#include "core/genotype_code.h"
#include "core/native_format.h"

namespace relakin {
namespace {

bool Chosen(const std::vector<bool>& flags, std::size_t i) { return i < flags.size() && flags[i]; }

class SelectionWriter {
 public:
  SelectionWriter(Document& doc, Messages& messages) : doc_(doc), messages_(messages) {}

  std::string Write() {
    t_.AllocAlleleTables(doc_);
    t_.SetUsedLoci(doc_.LocusSelection);
    t_.ResetAlleleTables();
    const std::size_t pops = SurveyChosenPopulations();
    t_.CollectLocusNames(doc_, messages_);
    t_.SortAlleleLists();
    Line(std::to_string(t_.NbLocUsed) + " " + FileNameForHeader(doc_.CurrentFileName));
    Line(std::to_string(pops));
    WriteLocusBlocks();
    WritePopulationBlocks();
    return std::move(out_);
  }

 private:
  // Sample sizes and alleles of the chosen populations; returns how many were chosen.
  std::size_t SurveyChosenPopulations() {
    std::size_t count = 0;
    for (std::size_t p = 1; p <= doc_.NbPops; ++p) {
      if (!Chosen(doc_.PopSelection, p)) continue;
      ++count;
      const RowRange rows = PopRows(doc_, p);
      for (int r = rows.first; r <= rows.last; ++r) {
        if (!RowHasData(doc_, r)) continue;
        if (t_.SampleSize[p] == UINT16_MAX)
          throw Error(ErrorKind::Capacity, "Trop d'individus dans la population " +
                                               std::to_string(p) + " : 65535 au plus.");
        ++t_.SampleSize[p];
        t_.CollectRowAlleles(doc_.Cells, r);
      }
    }
    return count;
  }

  void Line(std::string_view text) {
    out_ += text;
    out_ += kLineEnd;
  }

  void WriteLocusBlocks() {
    for (std::size_t l = 1; l + 1 < t_.LocusUsed.size(); ++l) {
      if (!t_.LocusUsed[l]) continue;
      Line(doc_.Cells.Cells(static_cast<int>(l) + 1, 1));
      std::string alleles = std::to_string(t_.AlleleCount[l]) + " ";
      if (t_.AlleleCount[l] == 0) {
        messages_.Show("Le locus " + std::to_string(l) + " est 000000 pour toutes " +
                       "les populations séléctionnées !!!");
      }
      for (std::size_t j = 1; j <= t_.AlleleCount[l]; ++j)
        alleles += PadAllele3(t_.AlleleList[l][j]) + " ";
      Line(alleles);
    }
  }

  void WritePopulationBlocks() {
    for (std::size_t p = 1; p <= doc_.NbPops; ++p) {
      if (!Chosen(doc_.PopSelection, p)) continue;
      Line(p < doc_.PopNames.size() ? doc_.PopNames[p] : std::string());
      Line(std::to_string(t_.SampleSize[p]));
      const RowRange rows = PopRows(doc_, p);
      for (int r = rows.first; r <= rows.last; ++r) {
        if (RowHasData(doc_, r)) WriteIndividual(r);
      }
    }
  }

  void WriteIndividual(int r) {
    std::string line = NameField(doc_.Cells.Cells(1, r));
    for (int c = 2; c < doc_.Cells.ColCount(); ++c) {
      if (!t_.LocusUsed[c - 1]) continue;
      line += ' ';
      line += NormalizeGenotype(doc_.Cells.Cells(c, r), c, r);
    }
    Line(line);
  }

  Document& doc_;
  Messages& messages_;
  AlleleTables t_;
  std::string out_;
};

}  // namespace

std::vector<std::string> FillLocusList(Document& doc, Messages& messages) {
  AlleleTables t;
  t.AllocAlleleTables(doc);
  t.ResetAlleleTables();
  t.CollectLocusNames(doc, messages);
  std::vector<std::string> items;
  for (std::size_t k = 1; k <= t.NbLocUsed; ++k)
    items.push_back(std::to_string(doc.LocusColumnMap[k]) + "-" + t.OutLocusNames[k]);
  return items;
}

std::string SelectionFileText(Document& doc, Messages& messages) {
  return SelectionWriter(doc, messages).Write();
}

bool WriteSelectionFile(Document& doc, Messages& messages, const std::string& FileName) {
  const std::string text = SelectionFileText(doc, messages);
  // Read at once by the run and written again by the next one: not worth a flush to disk, so
  // there is no folder flush to warn of.
  (void)WriteFileAtomically(FileName, text, FileReplacement::Sync::kNone);
  doc.AnalysisFileReady = true;
  return doc.AnalysisFileReady;
}

}  // namespace relakin
