#include "formats/biosys_export.h"

#include "core/codepage.h"
#include "core/native_format.h"
#include "core/population_table.h"

namespace relakin {
namespace {

constexpr std::size_t kNamesPerRecord = 10;

void Line(std::string& out, std::string_view text) {
  out += text;
  out += kLineEnd;
}

void AppendNameRecords(std::string& out, const Document& doc, const ExportSurvey& s,
                       Messages& messages) {
  const std::size_t n = s.tables.NbLocUsed;
  for (std::size_t k = 1; k <= n; ++k) {
    const std::uint16_t l = doc.LocusColumnMap[k];
    const std::optional<std::string> name = WrittenLocusName(doc, l, messages);
    if (name) {
      out += ' ';
      out += RightJustify(*name, 5);
    } else {
      out += " Loc";
      out += std::to_string(l);
    }
    if (k % kNamesPerRecord == 0) out += kLineEnd;
  }
  if (n % kNamesPerRecord != 0) out += kLineEnd;
  out += kLineEnd;
}

std::string PopulationHeader(const Document& doc, std::size_t p) {
  const std::string name = PopNameOf(doc, p).substr(0, Document::kPopNameLength);
  const std::string number = RightJustify(std::to_string(p), 3);
  if (name.empty()) return "p" + number + Utf8ToCp1252("  Pop n°") + std::to_string(p);
  return "p" + number + "  " + name;
}

}  // namespace

std::string BiosysNameFormat(std::size_t n) {
  const std::size_t tens = n / kNamesPerRecord;
  const std::size_t rest = n % kNamesPerRecord;
  std::string format;
  for (std::size_t i = 1; i <= tens; ++i) format += i == 1 ? "(10(1X,A5)" : "/10(1X,A5)";
  if (rest > 0) {
    format += tens >= 1 ? "/" : "(";
    format += std::to_string(rest) + "(1X,A5))";
  } else {
    format += ")";
  }
  return format;
}

std::string BiosysExportText(const Document& doc, const ExportSurvey& s, Messages& messages) {
  const std::string n = std::to_string(s.tables.NbLocUsed);
  std::string out;
  Line(out, "SINGLE INDIVIDUAL GENOTYPE INPUT ");
  Line(out, "NOTU=" + std::to_string(doc.NbPops) + ",NLOC=" + n +
                ",NALL=" + std::to_string(s.largestAlleleCount) + ";");
  Line(out, BiosysNameFormat(s.tables.NbLocUsed));
  AppendNameRecords(out, doc, s, messages);
  Line(out, "STEP DATA:");
  Line(out, "DATYP=1;");
  Line(out, "(A4,7X," + n + "(1X,I2,I2))");
  for (std::size_t p = 1; p <= doc.NbPops; ++p) {
    if (p > 1) Line(out, "NEXT");
    Line(out, PopulationHeader(doc, p));
    AppendIndividualLines(out, doc, s, p, RightJustify(std::to_string(p), 4) + "       ");
  }
  out += kLineEnd;
  Line(out, "NEXT");
  Line(out, "END;");
  return out;
}

}  // namespace relakin
