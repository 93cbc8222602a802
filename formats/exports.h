// The conversions of the whole table to the data files of other population-genetics programs:
// GENEPOP, FSTAT and BIOSYS. Each renumbers the alleles of every locus by rank (allele_rank.h)
// and writes the layout of its own header (genepop_export.h, fstat_export.h, biosys_export.h).
//
// An export reads the table and the population tables and changes neither, nor
// CurrentFileName; it rebuilds doc.LocusColumnMap and records doc.Recorded* as every writers'
// survey does.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/document.h"
#include "core/messages.h"

namespace relakin {

enum class ExportFormat { Genepop, Fstat, Biosys };

// "genepop", "fstat" or "biosys"; nothing for any other text.
std::optional<ExportFormat> ExportFormatNamed(std::string_view name);

struct ExportOutput {
  std::string bytes;
  // Said once the file is written (LostAllelesNotice); empty when every allele fits two digits.
  std::string lostAlleles;
};

// The file's bytes, built in memory: every exported cell is read before anything is written.
// Notices of blank locus names go to `messages` (twice each: at the survey and where the name is
// written). Throws Error(Conversion) naming the cell for a cell that is not a genotype.
ExportOutput BuildExport(ExportFormat format, Document& doc, Messages& messages);

// Writes the export to FileName, unchanged (no extension added; a bare name goes to the current
// directory), through a temporary file renamed once complete and flushed (core/atomic_file.h);
// then says a folder that could not be flushed (Warning), the lost alleles (Warning), if any,
// and FileName + " est crée !" (Show). On a bad cell (Error(Conversion)) or a failed write
// (Error(Io)) it throws before any completion message; an existing file at FileName is then
// left as it was and no temporary file remains (written in place, the message may instead say
// where its complete new content lies).
void Export(ExportFormat format, Document& doc, const std::string& FileName, Messages& messages);

inline void ExportGenepop(Document& doc, const std::string& FileName, Messages& messages) {
  Export(ExportFormat::Genepop, doc, FileName, messages);
}
inline void ExportFstat(Document& doc, const std::string& FileName, Messages& messages) {
  Export(ExportFormat::Fstat, doc, FileName, messages);
}
inline void ExportBiosys(Document& doc, const std::string& FileName, Messages& messages) {
  Export(ExportFormat::Biosys, doc, FileName, messages);
}

}  // namespace relakin
