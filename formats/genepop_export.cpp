#include "formats/genepop_export.h"

#include <algorithm>
#include <string_view>

#include "core/codepage.h"
#include "core/native_format.h"
#include "core/population_table.h"
#include "formats/genepop_import.h"
#include "formats/import_text.h"

namespace relakin {
namespace {

// A comma ends a name for the reader; a Ctrl-Z, the mark of a file's end, is refused inside one.
bool HoldsCommaOrCtrlZ(std::string_view text) {
  return text.find_first_of(std::string_view(",\x1a", 2)) != std::string_view::npos;
}

// A locus name line that the GENEPOP reader takes for a POP line, cuts at its commas into
// several loci, or refuses for its Ctrl-Z.
bool ReadsAsOtherThanOneLocus(std::string_view name) {
  return IsPopLine(name) || HoldsCommaOrCtrlZ(name);
}

std::string DefaultLocusName(std::uint16_t l) { return "Locus " + std::to_string(l); }

}  // namespace

std::string GenepopIndividualPrefix(const Document& doc, std::size_t p) {
  const std::string name = PopNameOf(doc, p).substr(0, Document::kPopNameLength);
  const bool endsWithComma = !name.empty() && name.back() == ',';
  const std::string_view stem(name.data(), name.size() - (endsWithComma ? 1 : 0));
  if (stem.empty() || HoldsCommaOrCtrlZ(stem) || IsPopLine(stem)) {
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
    // A name of TABs would name no locus in the file read back.
    const bool blank = name && IsBlankLine(*name);
    if (blank) AnnounceMissingLocusName(l, messages);
    out += name && !blank && !ReadsAsOtherThanOneLocus(*name) ? *name : DefaultLocusName(l);
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
