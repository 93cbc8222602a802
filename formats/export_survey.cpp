#include "formats/export_survey.h"

#include <algorithm>

#include "core/genotype_code.h"
#include "core/native_format.h"
#include "core/quoted_text.h"
#include "formats/allele_rank.h"

namespace relakin {

ExportSurvey SurveyForExport(Document& doc, Messages& messages) {
  ExportSurvey s;
  AlleleTables& t = s.tables;
  t.AllocAlleleTables(doc);
  t.ResetAlleleTables();
  t.CollectLocusNames(doc, messages);
  for (int r = 2; r < doc.Cells.RowCount(); ++r) t.CollectRowAlleles(doc.Cells, r);
  t.SortAlleleLists();
  for (std::size_t k = 1; k <= t.NbLocUsed; ++k) {
    s.largestAlleleCount = std::max(s.largestAlleleCount, t.AlleleCount[doc.LocusColumnMap[k]]);
  }
  return s;
}

void AnnounceMissingLocusName(std::uint16_t l, Messages& messages) {
  messages.Information("Nom du " + std::to_string(l) + " ° Locus manquant !");
}

std::optional<std::string> WrittenLocusName(const Document& doc, std::uint16_t l,
                                            Messages& messages) {
  const std::string& name = doc.Cells.Cells(l + 1, 1);
  if (!IsBlankText(name)) return name;
  AnnounceMissingLocusName(l, messages);
  return std::nullopt;
}

std::string RightJustify(std::string_view text, std::size_t width) {
  std::string out;
  if (text.size() < width) out.assign(width - text.size(), ' ');
  out += text;
  return out;
}

void AppendIndividualLines(std::string& out, const Document& doc, const ExportSurvey& s,
                           std::size_t p, std::string_view prefix) {
  const RowRange rows = PopRows(doc, p);
  const int lastRow = doc.Cells.RowCount() - 1;
  for (int r = rows.first; r <= rows.last; ++r) {
    if (!RowHasData(doc, r)) continue;
    out += prefix;
    for (std::size_t k = 1; k <= s.tables.NbLocUsed; ++k) {
      const std::uint16_t l = doc.LocusColumnMap[k];
      out += ' ';
      out += RecodeGenotype2(s.tables, doc.Cells.Cells(l + 1, r), l, r);
    }
    if (r != lastRow) out += kLineEnd;
  }
}

std::string LostAllelesNotice(const Document& doc, const ExportSurvey& s) {
  std::string lines;
  for (std::size_t k = 1; k <= s.tables.NbLocUsed; ++k) {
    const std::uint16_t l = doc.LocusColumnMap[k];
    const std::uint16_t count = s.tables.AlleleCount[l];
    if (count <= kMaxRank2) continue;
    const unsigned lost = count - kMaxRank2;
    lines += "\nLocus " + std::to_string(l) + " (" + ExcerptOf(s.tables.OutLocusNames[k]) +
             ") : " + std::to_string(lost) + (lost == 1 ? " allèle perdu." : " allèles perdus.");
  }
  if (lines.empty()) return lines;
  return "Ce format code un allèle sur deux chiffres : au-delà du 99e allèle d'un locus, les "
         "allèles sont écrits 00 et comptent comme manquants." +
         lines;
}

}  // namespace relakin
