// The last step of every import reader, once the whole file is read: a table with nothing to
// import is refused, and what the table will hold short of what the file says is told.
#pragma once

#include <span>
#include <string>

#include "core/document.h"
#include "formats/import_text.h"

namespace relakin {

// Throws Error(Input) naming `fileName` when `doc` holds no individual or no locus: an import
// that read nothing must not pass for one that read a file.
void RequireImportedData(const Document& doc, const std::string& fileName);

// Adds to `warnings`, one sentence each naming `fileName`, with their counts:
// - genotypes with one allele known and the other 0, which every analysis counts as missing and
//   Save writes 000000;
// - individual names longer than the native file's 10 characters (Save keeps the first 10) and
//   population names longer than the table's 25 (the table keeps the first 25), with the number
//   of individuals (populations) whose cut name equals the cut name of one whose full name
//   differs: those the cut leaves without a name of their own. Blanks and TABs that end a name
//   past the width count for neither: the cut loses nothing there.
// `fullPopNames[p]` is population p's name as the file gave it when the table holds it cut
// (empty, or past the end, when it holds it whole).
void AddImportWarnings(const Document& doc, std::span<const std::string> fullPopNames,
                       const std::string& fileName, ImportWarnings& warnings);

}  // namespace relakin
