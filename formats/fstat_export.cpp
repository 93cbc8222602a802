#include "formats/fstat_export.h"

#include "core/native_format.h"
#include "core/text_reader.h"

namespace relakin {
namespace {

// A name line the FSTAT reader takes for an individual's: a population number, then one genotype
// number per locus, and nothing else (locus names written on one line, to the reader).
bool ReadsAsIndividual(std::string_view name, std::size_t loci) {
  std::size_t numbers = 0;
  std::size_t i = 0;
  while (i < name.size()) {
    if (static_cast<unsigned char>(name[i]) <= ' ') {
      ++i;
      continue;
    }
    const std::size_t start = i;
    while (i < name.size() && static_cast<unsigned char>(name[i]) > ' ') ++i;
    if (DigitsOf(name.substr(start, i - start)).empty()) return false;
    ++numbers;
  }
  return numbers == loci + 1;
}

}  // namespace

std::string FstatExportText(const Document& doc, const ExportSurvey& s, Messages& messages) {
  std::string out = std::to_string(doc.NbPops) + " " + std::to_string(s.tables.NbLocUsed) + " " +
                    std::to_string(s.largestAlleleCount) + " 2";
  out += kLineEnd;
  for (std::size_t k = 1; k <= s.tables.NbLocUsed; ++k) {
    const std::uint16_t l = doc.LocusColumnMap[k];
    const std::optional<std::string> name = WrittenLocusName(doc, l, messages);
    out += name && !ReadsAsIndividual(*name, s.tables.NbLocUsed) ? *name
                                                                   : "Locus " + std::to_string(l);
    out += kLineEnd;
  }
  for (std::size_t p = 1; p <= doc.NbPops; ++p) {
    AppendIndividualLines(out, doc, s, p, RightJustify(std::to_string(p), 4) + " ");
  }
  return out;
}

}  // namespace relakin
