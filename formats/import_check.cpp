#include "formats/import_check.h"

#include <string_view>
#include <unordered_map>

#include "core/errors.h"
#include "core/native_format.h"

namespace relakin {
namespace {

// `text` after the file's name; alone, and capitalised, without one.
std::string Said(const std::string& fileName, std::string text) {
  if (!fileName.empty()) return fileName + " : " + text;
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = char(text[0] - 'a' + 'A');
  return text;
}

// The readers build every cell with MakeGenotypeCode: six digits, "000" a missing allele.
bool IsHalfMissing(std::string_view cell) {
  return cell.size() == 6 && (cell.substr(0, 3) == "000") != (cell.substr(3) == "000");
}

struct CutNames {
  std::size_t cut = 0;     // names longer than the width
  std::size_t shared = 0;  // names whose cut form is also that of a name that differs in full
};

// The name as far as the cut can lose anything: blanks and TABs that end it past `width` are
// lost at no cost ("abcdefghij , 0101" is how GENEPOP files are written).
std::string_view Meant(std::string_view name, std::size_t width) {
  while (name.size() > width && (name.back() == ' ' || name.back() == '\t')) name.remove_suffix(1);
  return name;
}

// Names 0 .. n - 1 as `nameOf` gives them, cut to their first `width` characters.
template <typename NameOf>
CutNames CountCutNames(std::size_t n, std::size_t width, NameOf nameOf) {
  CutNames result;
  for (std::size_t i = 0; i < n; ++i) result.cut += Meant(nameOf(i), width).size() > width ? 1 : 0;
  if (result.cut == 0) return result;  // then equal cut names are equal names
  struct Group {
    std::string_view full;
    std::size_t count = 0;
    bool mixed = false;  // two different names cut to this one
  };
  std::unordered_map<std::string_view, Group> groups;
  for (std::size_t i = 0; i < n; ++i) {
    const std::string_view full = Meant(nameOf(i), width);
    Group& g = groups[full.substr(0, width)];
    if (g.count++ == 0) {
      g.full = full;
    } else if (full != g.full) {
      g.mixed = true;
    }
  }
  for (const auto& entry : groups) result.shared += entry.second.mixed ? entry.second.count : 0;
  return result;
}

std::string CutSentence(const CutNames& names, const char* one, const char* many,
                        const char* keeper, std::size_t width, const char* owners) {
  std::string s = std::to_string(names.cut) + (names.cut == 1 ? one : many) + " plus de " +
                  std::to_string(width) + " caractères : " + keeper + " en garde les " +
                  std::to_string(width) + " premiers";
  if (names.shared > 0)
    s += ", et " + std::to_string(names.shared) + owners + " ne se distinguent plus par leur nom";
  return s + ".";
}

}  // namespace

void RequireImportedData(const Document& doc, const std::string& fileName) {
  if (doc.Cells.RowCount() <= 2)
    throw Error(ErrorKind::Input,
                Said(fileName, "aucun individu : ce fichier n'a rien à importer."));
  if (doc.Cells.ColCount() <= 2) {
    throw Error(ErrorKind::Input,
                Said(fileName, "aucun locus : ce fichier n'a aucun génotype à importer."));
  }
}

void AddImportWarnings(const Document& doc, std::span<const std::string> fullPopNames,
                       const std::string& fileName, ImportWarnings& warnings) {
  const GenotypeTable& t = doc.Cells;
  std::size_t half = 0;
  for (int r = 2; r < t.RowCount(); ++r) {
    for (int c = 2; c < t.ColCount(); ++c) half += IsHalfMissing(t.Cells(c, r)) ? 1 : 0;
  }
  if (half > 0) {
    warnings.push_back(Said(
        fileName, std::to_string(half) +
                      (half == 1 ? " génotype n'a qu'un allèle (l'autre 0) : il compte comme "
                                   "manquant dans les analyses et s'enregistre « 000000 »."
                                 : " génotypes n'ont qu'un allèle (l'autre 0) : ils comptent comme "
                                   "manquants dans les analyses et s'enregistrent « 000000 ».")));
  }

  const CutNames individuals =
      CountCutNames(static_cast<std::size_t>(t.RowCount() - 2), kNameFieldWidth,
                    [&](std::size_t i) -> std::string_view { return t.Cells(1, int(i) + 2); });
  if (individuals.cut > 0) {
    warnings.push_back(
        Said(fileName, CutSentence(individuals, " nom d'individu a", " noms d'individus ont",
                                   "l'enregistrement", kNameFieldWidth, " individus")));
  }

  const CutNames populations =
      CountCutNames(doc.NbPops, Document::kPopNameLength, [&](std::size_t i) -> std::string_view {
        const std::size_t p = i + 1;
        if (p < fullPopNames.size() && !fullPopNames[p].empty()) return fullPopNames[p];
        return p < doc.PopNames.size() ? std::string_view(doc.PopNames[p]) : std::string_view();
      });
  if (populations.cut > 0) {
    warnings.push_back(
        Said(fileName, CutSentence(populations, " nom de population a", " noms de population ont",
                                   "la table", Document::kPopNameLength, " populations")));
  }
}

}  // namespace relakin
