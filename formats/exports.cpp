#include "formats/exports.h"

#include "core/atomic_file.h"
#include "formats/biosys_export.h"
#include "formats/export_survey.h"
#include "formats/fstat_export.h"
#include "formats/genepop_export.h"

namespace relakin {

std::optional<ExportFormat> ExportFormatNamed(std::string_view name) {
  if (name == "genepop") return ExportFormat::Genepop;
  if (name == "fstat") return ExportFormat::Fstat;
  if (name == "biosys") return ExportFormat::Biosys;
  return std::nullopt;
}

ExportOutput BuildExport(ExportFormat format, Document& doc, Messages& messages) {
  const ExportSurvey s = SurveyForExport(doc, messages);
  ExportOutput out;
  switch (format) {
    case ExportFormat::Genepop:
      out.bytes = GenepopExportText(doc, s, messages);
      break;
    case ExportFormat::Fstat:
      out.bytes = FstatExportText(doc, s, messages);
      break;
    case ExportFormat::Biosys:
      out.bytes = BiosysExportText(doc, s, messages);
      break;
  }
  out.lostAlleles = LostAllelesNotice(doc, s);
  return out;
}

void Export(ExportFormat format, Document& doc, const std::string& FileName, Messages& messages) {
  const ExportOutput out = BuildExport(format, doc, messages);
  const std::string warning = WriteFileAtomically(FileName, out.bytes);
  if (!warning.empty()) messages.Warning(warning);
  if (!out.lostAlleles.empty()) messages.Warning(out.lostAlleles);
  messages.Show(FileName + " est crée !");
}

}  // namespace relakin
