#include "formats/import_text.h"

#include "core/codepage.h"
#include "core/errors.h"

namespace relakin {

std::string ImportedText(std::string bytes, const std::string& fileName, ImportWarnings* warnings) {
  const std::string_view start = std::string_view(bytes).substr(0, 2);
  if (start == "\xFF\xFE" || start == "\xFE\xFF") {
    throw Error(ErrorKind::Input, (fileName.empty() ? "C" : fileName + " : c") +
                                      "e fichier est en UTF-16 : enregistrez-le en UTF-8 ou en "
                                      "texte simple.");
  }
  std::size_t unmapped = 0;
  std::string text = ForeignTextInCodePage(std::move(bytes), unmapped);
  if (unmapped > 0 && warnings) {
    const std::string where = fileName.empty() ? "" : fileName + " : ";
    warnings->push_back(
        where + std::to_string(unmapped) +
        (unmapped == 1 ? " caractère que la table ne peut pas contenir est devenu « ? »."
                       : " caractères que la table ne peut pas contenir sont devenus « ? »."));
  }
  return text;
}

}  // namespace relakin
