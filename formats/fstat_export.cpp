#include "formats/fstat_export.h"

#include "core/native_format.h"
#include "formats/fstat_import.h"

namespace relakin {

std::string FstatExportText(const Document& doc, const ExportSurvey& s, Messages& messages) {
  std::string out = std::to_string(doc.NbPops) + " " + std::to_string(s.tables.NbLocUsed) + " " +
                    std::to_string(s.largestAlleleCount) + " 2";
  out += kLineEnd;
  for (std::size_t k = 1; k <= s.tables.NbLocUsed; ++k) {
    const std::uint16_t l = doc.LocusColumnMap[k];
    const std::optional<std::string> name = WrittenLocusName(doc, l, messages);
    out += name && !FstatNameReadsAsIndividual(*name, s.tables.NbLocUsed)
               ? *name
               : "Locus " + std::to_string(l);
    out += kLineEnd;
  }
  for (std::size_t p = 1; p <= doc.NbPops; ++p) {
    AppendIndividualLines(out, doc, s, p, RightJustify(std::to_string(p), 4) + " ");
  }
  return out;
}

}  // namespace relakin
