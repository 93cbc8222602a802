// The GENEPOP data file the export writes, CR LF line ends, single-byte text:
//   the title line "Vous pouvez éditer cette ligne !";
//   one line per used locus: its name (default "Locus " l);
//   per population a line "Pop", then per individual the population's name and a comma, then
//   per locus a blank and the four-digit renumbered genotype.
// The individual line of the grid's last row has no line end.
#pragma once

#include <cstddef>
#include <string>

#include "core/document.h"
#include "core/messages.h"
#include "formats/export_survey.h"

namespace relakin {

// The text before each individual's comma: the population's name (at most 25 characters), or
// "pop" p when it is empty or would not read back as that population's name: when the text
// before its comma is empty or "pop" in any case (blanks and control characters around it
// ignored), or when it holds a comma other than a final one or a Ctrl-Z. A name ending with a
// comma keeps that comma as the separator.
std::string GenepopIndividualPrefix(const Document& doc, std::size_t p);

// The file's bytes. A locus name that would not read back as that one locus is written as the
// default name: a blank one (nothing but characters of code 32 or less, such as TABs, which the
// reader skips), announced through `messages` as a blank one is; a "Pop" line; a name holding a
// comma, which the reader cuts into several loci, or a Ctrl-Z. Throws Error(Conversion) for a
// cell that is not a whole number.
std::string GenepopExportText(const Document& doc, const ExportSurvey& s, Messages& messages);

}  // namespace relakin
