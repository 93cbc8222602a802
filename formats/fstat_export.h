// The FSTAT data file the export writes, CR LF line ends, single-byte text:
//   line 1: the population count, the locus count, the largest allele count and 2 (digits per
//   allele), separated by blanks;
//   one line per used locus: its name (default "Locus " l);
//   per individual: its population number right-justified in 4 characters and a blank, then per
//   locus a blank and the four-digit renumbered genotype.
// No line marks a population. The individual line of the grid's last row has no line end.
#pragma once

#include <string>

#include "core/document.h"
#include "core/messages.h"
#include "formats/export_survey.h"

namespace relakin {

// The file's bytes. Blank locus names are announced through `messages`; they, and a name the
// reader would take for an individual's line (a population number and one genotype number per
// locus), are written as the default name. Throws Error(Conversion) for a cell that is not a
// whole number.
std::string FstatExportText(const Document& doc, const ExportSurvey& s, Messages& messages);

}  // namespace relakin
