#include "formats/import_table.h"

#include "core/errors.h"
#include "core/quoted_text.h"
#include "formats/import_check.h"

namespace relakin {

std::string ImportedLocusHeading(int l) { return "locus" + std::to_string(l); }

std::string TextAfterGenotypes(std::string_view text, int k, int loci) {
  const std::string expected =
      loci == 1 ? "1 génotype attendu" : std::to_string(loci) + " génotypes attendus";
  return QuotedText(text) + " après le dernier génotype de l'individu " + std::to_string(k) + " (" +
         expected + ", un par locus).";
}

std::string NumberedPopulationName(int q) { return "Population " + std::to_string(q); }

ImportTable::ImportTable(std::uint16_t loci, std::string fileName)
    : fileName_(std::move(fileName)) {
  doc_.Cells.Resize(loci + 2, 2);
  for (int l = 1; l <= loci; ++l) doc_.Cells.SetCell(l + 1, 0, ImportedLocusHeading(l));
}

int ImportTable::AddIndividual(bool startsPopulation, int line) {
  const int row = doc_.Cells.RowCount();
  const int k = row - 1;
  if (static_cast<std::uint32_t>(k) > kMaxImportIndividuals)
    throw Error(ErrorKind::Capacity,
                WhereInFile(fileName_, line) + "trop d'individus (" +
                    std::to_string(kMaxImportIndividuals) + " au plus).",
                line);
  doc_.Cells.SetRowCount(row + 1);
  if (startsPopulation || k == 1) {
    ++doc_.NbPops;
    doc_.SetPopFirstRow(doc_.NbPops, static_cast<std::uint16_t>(row));
    doc_.Cells.SetCell(0, row, "Pop Ind" + std::to_string(k));
  } else {
    doc_.Cells.SetCell(0, row, "    Ind" + std::to_string(k));
  }
  return row;
}

void ImportTable::SetPopName(std::uint16_t p, const std::string& name) {
  doc_.SetPopName(p, name);
  const bool cut = name.size() > Document::kPopNameLength;
  if (cut && cutPopNames_.size() <= p) cutPopNames_.resize(p + 1u);
  if (p < cutPopNames_.size()) cutPopNames_[p] = cut ? name : std::string();
}

Document ImportTable::Take(ImportWarnings* warnings) {
  RequireImportedData(doc_, fileName_);
  if (warnings) AddImportWarnings(doc_, cutPopNames_, fileName_, *warnings);
  return std::move(doc_);
}

}  // namespace relakin
