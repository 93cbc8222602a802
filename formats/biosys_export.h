// The BIOSYS file the export writes, CR LF line ends, single-byte text; n used loci:
//   "SINGLE INDIVIDUAL GENOTYPE INPUT " (blank at the end);
//   "NOTU=" populations ",NLOC=" n ",NALL=" largest allele count ";";
//   the name format line (BiosysNameFormat);
//   the name records: per locus a blank and its name right-justified in 5 characters (a longer
//   one whole; a default name as " Loc" l), a line end after every tenth, one more when n is not
//   a multiple of 10, then an empty line;
//   "STEP DATA:", "DATYP=1;", "(A4,7X," n "(1X,I2,I2))";
//   per population: "NEXT" before all but the first, the header "p", p right-justified in 3,
//   two blanks and the name (or "Pop n°" p when it is empty), then per individual p
//   right-justified in 4, seven blanks, and per locus a blank and the four-digit genotype;
//   a line end, "NEXT", "END;" and a line end.
#pragma once

#include <cstddef>
#include <string>

#include "core/document.h"
#include "core/messages.h"
#include "formats/export_survey.h"

namespace relakin {

// The format of the name records for n loci: "(10(1X,A5)" then "/10(1X,A5)" per further ten,
// then the rest as "m(1X,A5))" after "/" or "(", or a closing ")": 5 -> (5(1X,A5)),
// 12 -> (10(1X,A5)/2(1X,A5)), 0 -> ")".
std::string BiosysNameFormat(std::size_t n);

// The file's bytes. Blank locus names are announced through `messages`. Throws
// Error(Conversion) for a cell that is not a whole number.
std::string BiosysExportText(const Document& doc, const ExportSurvey& s, Messages& messages);

}  // namespace relakin
