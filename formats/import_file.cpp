#include "formats/import_file.h"

#include "core/new_table.h"
#include "formats/fstat_import.h"
#include "formats/genepop_import.h"
#include "formats/older_pair_import.h"

namespace relakin {

Document ImportForeignFile(ImportFormat format, const std::string& path,
                           const DelimitedTextOptions& text, ImportWarnings* warnings) {
  switch (format) {
    case ImportFormat::OlderPair:
      return ReadModDonPair(path, warnings);
    case ImportFormat::Fstat:
      return ReadFstatFile(path, warnings);
    case ImportFormat::Genepop:
      return ImportGenepopFile(path, warnings);
    case ImportFormat::DelimitedText:
      break;
  }
  return ReadDelimitedText(path, text, warnings);
}

void AdoptImportedTable(Document& doc, Document&& read) {
  for (std::size_t p = read.PopNames.size(); p < doc.PopNames.size(); ++p)
    read.PopNames.push_back(std::move(doc.PopNames[p]));
  AdoptReadTable(doc, std::move(read));
}

}  // namespace relakin
