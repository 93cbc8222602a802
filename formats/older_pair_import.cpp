// Reading the older file pair, one step per section of the data file's layout.
#include "formats/older_pair_import.h"

#include <cstdint>
#include <filesystem>
#include <system_error>

#include "core/errors.h"
#include "core/file_bytes.h"
#include "core/genotype_code.h"
#include "core/quoted_text.h"
#include "core/text_reader.h"
#include "formats/genotype_number.h"
#include "formats/import_table.h"
#include "formats/import_text.h"

namespace relakin {
namespace {

constexpr std::size_t kNameWidth = 4;  // the population code and three more characters
constexpr int kAlleleDigits = 3;

class OlderPairReader {
 public:
  OlderPairReader(TextReader& data, TextReader& locus) : data_(data), locus_(locus) {}

  Document Read(ImportWarnings* warnings) {
    // Both counts are checked before anything is allocated.
    individuals_ = Count("nombre d'individus", "le nombre d'individus");
    const std::uint16_t loci = Count("nombre de locus", "le nombre de locus");
    for (int i = 0; i < 4; ++i) data_.SkipLine();  // the rest of line 1, then lines 2 to 4
    ImportTable table(loci, data_.Name());
    ReadLocusNames(table.Doc(), loci, warnings);
    for (std::uint32_t k = 1; k <= individuals_; ++k) ReadIndividual(table, k, loci);
    // Individuals past the header's count would be dropped without a word.
    while (!data_.AtEof()) {
      const int line = data_.Line();
      const std::string text = data_.ReadLine();
      if (!IsBlankLine(text)) {
        data_.FailAt(line, "ligne de trop " + QuotedText(text) + ", l'en-tête (ligne 1) annonce " +
                               std::to_string(individuals_) +
                               (individuals_ < 2 ? " individu." : " individus."));
      }
    }
    return table.Take(warnings);
  }

 private:
  std::uint16_t Count(std::string_view what, std::string_view missing) {
    data_.RequireToken(missing);
    return static_cast<std::uint16_t>(data_.ReadUnsigned(what, UINT16_MAX));
  }

  // Characters 3 to 5 of each line; a short line gives what it has and never runs into the next.
  void ReadLocusNames(Document& doc, std::uint16_t loci, ImportWarnings* warnings) {
    for (int l = 1; l <= loci && !locus_.AtEof(); ++l) {
      const std::string line = locus_.ReadLine();
      doc.Cells.SetCell(l + 1, 1, line.size() > 2 ? line.substr(2, 3) : std::string());
    }
    // Names past the loci (a blank first line, the locus file of other data) are not imported:
    // the user must know the names may be one line off.
    std::size_t extra = 0;
    int first = 0;
    while (!locus_.AtEof()) {
      const int line = locus_.Line();
      if (IsBlankLine(locus_.ReadLine())) continue;
      if (extra++ == 0) first = line;
    }
    if (extra == 0 || !warnings) return;
    const std::string where = locus_.Name().empty() ? "" : locus_.Name() + " : ";
    const std::string announced =
        " : le fichier de données (ligne 1) annonce " + std::to_string(loci) + " locus, ";
    warnings->push_back(
        where +
        (extra == 1
             ? "1 nom de locus de trop (ligne " + std::to_string(first) + ")" + announced +
                   "ce nom n'est pas importé."
             : std::to_string(extra) + " noms de locus de trop (à partir de la ligne " +
                   std::to_string(first) + ")" + announced + "ces noms ne sont pas importés."));
  }

  void ReadIndividual(ImportTable& table, std::uint32_t k, std::uint16_t loci) {
    if (data_.AtEof()) {
      data_.Fail("le fichier se termine avant l'individu " + std::to_string(k) + " (" +
                 std::to_string(individuals_) + " individus annoncés).");
    }
    const int line = data_.Line();
    std::string name;
    while (name.size() < kNameWidth && !data_.AtLineEnd()) name += data_.ReadChar();
    if (name.size() < kNameWidth) {
      data_.Fail("la ligne de l'individu " + std::to_string(k) +
                 " se termine dans son nom (4 caractères attendus).");
    }
    const bool starts = k == 1 || name.front() != code_;
    code_ = name.front();
    const int row = table.AddIndividual(starts, line);
    Document& doc = table.Doc();
    if (starts) doc.SetPopName(doc.NbPops, NumberedPopulationName(doc.NbPops));
    doc.Cells.SetCell(1, row, name);
    for (int l = 1; l <= loci; ++l) doc.Cells.SetCell(l + 1, row, ReadGenotype(k, l, line));
    if (data_.SkipSeparatorsOnLine())
      data_.FailAt(line, TextAfterGenotypes(data_.NextToken(), static_cast<int>(k), loci));
    data_.SkipLine();
  }

  // An individual's genotypes stand on its line: a short line must not take the next
  // individual's name for a genotype.
  std::string ReadGenotype(std::uint32_t k, int l, int line) {
    if (!data_.SkipSeparatorsOnLine()) {
      data_.FailAt(line, "la ligne se termine avant le génotype du locus " + std::to_string(l) +
                             " de l'individu " + std::to_string(k) + ".");
    }
    const std::uint64_t g = ReadGenotypeNumber(data_, kAlleleDigits, static_cast<int>(k), l);
    return MakeGenotypeCode(static_cast<std::uint16_t>(g / 1000),
                            static_cast<std::uint16_t>(g % 1000));
  }

  TextReader& data_;
  TextReader& locus_;
  std::uint16_t individuals_ = 0;
  char code_ = ' ';
};

}  // namespace

std::optional<std::string> OlderLocusFileName(const std::string& name) {
  // Characters, not bytes: a UTF-8 sequence counts once.
  std::size_t end = name.size();
  for (int n = 0; n < 3; ++n) {
    if (end == 0) return std::nullopt;
    --end;
    while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) --end;
  }
  bool capitals = false, small = false;
  for (std::size_t i = end; i < name.size(); ++i) {
    capitals |= name[i] >= 'A' && name[i] <= 'Z';
    small |= name[i] >= 'a' && name[i] <= 'z';
  }
  return name.substr(0, end) + (capitals && !small ? "MOD" : "mod");
}

std::optional<std::string> FindOlderLocusFile(const std::string& name) {
  std::optional<std::string> own = OlderLocusFileName(name);
  if (!own) return std::nullopt;
  std::string other = *own;
  const bool capitals = other.back() == 'D';
  other.replace(other.size() - 3, 3, capitals ? "mod" : "MOD");
  for (std::string* candidate : {&*own, &other}) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(*candidate, ec)) return std::move(*candidate);
  }
  return std::nullopt;
}

Document ReadModDonPair(std::istream& data, std::istream& locus, const std::string& dataName,
                        ImportWarnings* warnings) {
  const std::string locusName = OlderLocusFileName(dataName).value_or("");
  TextReader dataIn(ImportedText(ReadStreamBytes(data, dataName), dataName, warnings), dataName);
  TextReader locusIn(ImportedText(ReadStreamBytes(locus, locusName), locusName, warnings),
                     locusName);
  return OlderPairReader(dataIn, locusIn).Read(warnings);
}

Document ReadModDonPair(const std::string& FileName, ImportWarnings* warnings) {
  const std::optional<std::string> locusName = FindOlderLocusFile(FileName);
  if (!locusName) throw Error(ErrorKind::Io, "Fichier .mod absent !");
  TextReader dataIn(ImportedText(ReadFileBytes(FileName), FileName, warnings), FileName);
  TextReader locusIn(ImportedText(ReadFileBytes(*locusName), *locusName, warnings), *locusName);
  return OlderPairReader(dataIn, locusIn).Read(warnings);
}

}  // namespace relakin
