// The four foreign formats of File > Import, by the index of the import dialog's format item,
// and how an imported table takes the place of the current one.
#pragma once

#include <string>

#include "core/document.h"
#include "formats/delimited_text_import.h"

namespace relakin {

enum class ImportFormat {
  OlderPair = 0,  // "BRAVOLT v. 2.0 (.mod et .don)": `path` is the data file
  Fstat = 1,
  Genepop = 2,
  DelimitedText = 3,  // read with `text`
};

// Reads `path` (file-system bytes) with the format's reader into a new document; what the
// reader changed on the way in, and what the table will hold short of the file, go to
// `warnings` when given. Every reader refuses a file that gives no individual or no locus
// (formats/import_check.h).
Document ImportForeignFile(ImportFormat format, const std::string& path,
                           const DelimitedTextOptions& text = {},
                           ImportWarnings* warnings = nullptr);

// Moves an imported table (table, NbPops, PopFirstRow, PopNames) into `doc`. The population
// tables only grow: names past the imported ones stay as they were.
void AdoptImportedTable(Document& doc, Document&& read);

}  // namespace relakin
