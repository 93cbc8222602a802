#include "formats/import_text.h"

#include <algorithm>

#include "core/codepage.h"
#include "core/errors.h"
#include "core/text_reader.h"

namespace relakin {
namespace {

constexpr char kCtrlZ = 26;

// The 1-based line of text[pos].
int LineOf(std::string_view text, std::size_t pos) {
  int line = 1;
  for (std::size_t i = 0; i < pos; ++i) {
    if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
      ++line;
  }
  return line;
}

}  // namespace

bool IsBlankLine(std::string_view text) {
  return std::all_of(text.begin(), text.end(), IsBlankChar);
}

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

std::string_view WithoutEndOfFileMark(std::string_view text) {
  const std::size_t z = text.find(kCtrlZ);
  if (z == std::string_view::npos) return text;
  const std::string_view after = text.substr(z);
  return std::all_of(after.begin(), after.end(), IsBlankChar) ? text.substr(0, z) : text;
}

std::string TextBeforeEndOfFileMark(std::string text, const std::string& fileName) {
  const std::size_t z = text.find(kCtrlZ);
  if (z == std::string::npos) return text;
  const std::size_t kept = WithoutEndOfFileMark(text).size();
  if (kept == z) {
    text.resize(z);
    return text;
  }
  const int line = LineOf(text, z);
  throw Error(ErrorKind::Input,
              WhereInFile(fileName, line) +
                  "caractère Ctrl-Z (fin de fichier) suivi de texte, qui ne serait pas lu : deux "
                  "fichiers mis bout à bout ? Retirez ce caractère.",
              line);
}

}  // namespace relakin
