// What a table keeps through our GENEPOP and FSTAT exports read back by our readers: its loci,
// its populations (those with data) and its genotypes, alleles renumbered by rank. Shared by the
// round-trip tests and the fuzzing programs (no test framework here).
#pragma once

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/document.h"
#include "core/genotype_code.h"
#include "core/messages.h"
#include "formats/allele_rank.h"
#include "formats/exports.h"
#include "formats/fstat_import.h"
#include "formats/genepop_import.h"

namespace relakin::test {

// The genotype cells of `doc`, locus column by locus column, from row 2 on.
inline std::vector<std::string> GenotypeCells(const Document& doc) {
  std::vector<std::string> cells;
  for (int c = 2; c < doc.Cells.ColCount(); ++c) {
    for (int r = 2; r < doc.Cells.RowCount(); ++r) cells.push_back(doc.Cells.Cells(c, r));
  }
  return cells;
}

// GenotypeCells with each allele replaced by its rank among the alleles of complete genotypes of
// its locus: 0 for an allele of none, and for one past the 99th rank, which two digits cannot
// write.
inline std::vector<std::string> RankedCells(const Document& doc) {
  std::vector<std::string> cells;
  for (int c = 2; c < doc.Cells.ColCount(); ++c) {
    std::set<int> alleles;
    for (int r = 2; r < doc.Cells.RowCount(); ++r) {
      const AllelePair a = GenotypeAlleles(doc.Cells.Cells(c, r));
      if (a.a1 != 0 && a.a2 != 0) alleles.insert({a.a1, a.a2});
    }
    std::map<int, std::uint16_t> rank;
    for (int allele : alleles) rank[allele] = static_cast<std::uint16_t>(rank.size() + 1);
    const auto of = [&rank](int allele) -> std::uint16_t {
      const auto it = rank.find(allele);
      return it == rank.end() || it->second > kMaxRank2 ? 0 : it->second;
    };
    for (int r = 2; r < doc.Cells.RowCount(); ++r) {
      const AllelePair a = GenotypeAlleles(doc.Cells.Cells(c, r));
      cells.push_back(MakeGenotypeCode(of(a.a1), of(a.a2)));
    }
  }
  return cells;
}

// `doc` exported to GENEPOP or FSTAT, then read by that format's reader; what the export says
// goes to `said`.
inline Document ExportedAndReadBack(ExportFormat format, Document doc, RecordedMessages& said) {
  std::istringstream in(BuildExport(format, doc, said).bytes);
  return format == ExportFormat::Genepop ? ImportGenepopFile(in) : ReadFstatFile(in);
}

}  // namespace relakin::test
