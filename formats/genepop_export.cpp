#include "formats/genepop_export.h"

#include <string_view>

#include "core/codepage.h"
#include "core/native_format.h"
#include "core/population_table.h"
#include "formats/genepop_import.h"

namespace relakin {
namespace {

// A locus name line that the GENEPOP reader takes for a POP line, or cuts at its commas into
// several loci.
bool ReadsAsOtherThanOneLocus(std::string_view name) {
  return IsPopLine(name) || name.find(',') != std::string_view::npos;
}

std::string DefaultLocusName(std::uint16_t l) { return "Locus " + std::to_string(l); }

}  // namespace

std::string GenepopIndividualPrefix(const Document& doc, std::size_t p) {
  const std::string name = PopNameOf(doc, p).substr(0, Document::kPopNameLength);
  const bool endsWithComma = !name.empty() && name.back() == ',';
  const std::string_view stem(name.data(), name.size() - (endsWithComma ? 1 : 0));
  if (stem.empty() || stem.find(',') != std::string_view::npos || IsPopLine(stem)) {
    return "pop" + std::to_string(p) + ",";
  }
  return endsWithComma ? name : name + ",";
}

std::string GenepopExportText(const Document& doc, const ExportSurvey& s, Messages& messages) {
  std::string out = Utf8ToCp1252("Vous pouvez éditer cette ligne !");
  out += kLineEnd;
  for (std::size_t k = 1; k <= s.tables.NbLocUsed; ++k) {
    const std::uint16_t l = doc.LocusColumnMap[k];
    const std::optional<std::string> name = WrittenLocusName(doc, l, messages);
    out += name && !ReadsAsOtherThanOneLocus(*name) ? *name : DefaultLocusName(l);
    out += kLineEnd;
  }
  for (std::size_t p = 1; p <= doc.NbPops; ++p) {
    out += "Pop";
    out += kLineEnd;
    AppendIndividualLines(out, doc, s, p, GenepopIndividualPrefix(doc, p));
  }
  return out;
}

}  // namespace relakin
