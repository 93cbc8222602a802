// Reading an FSTAT file, one step per section of its layout.
#include "formats/fstat_import.h"

#include <limits>

#include "core/file_bytes.h"
#include "core/quoted_text.h"
#include "core/text_reader.h"
#include "formats/genotype_number.h"
#include "formats/import_table.h"

namespace relakin {
namespace {

constexpr std::uint64_t kNoMax = std::numeric_limits<std::uint64_t>::max();

class FstatReader {
 public:
  explicit FstatReader(TextReader& in) : in_(in) {}

  Document Read(ImportWarnings* warnings) {
    // The counts are checked before anything is allocated.
    in_.RequireToken("l'en-tête (4 nombres attendus)");
    headerLine_ = in_.Line();
    HeaderNumber(0, "nombre d'échantillons", UINT16_MAX);
    const auto loci = static_cast<std::uint16_t>(HeaderNumber(1, "nombre de locus", UINT16_MAX));
    HeaderNumber(2, "plus grand allèle", UINT16_MAX);
    digits_ = static_cast<std::int64_t>(HeaderNumber(3, "nombre de chiffres", kNoMax));
    in_.SkipLine();
    ImportTable table(loci, in_.Name());
    ReadLocusNames(table.Doc(), loci);
    // Blank text after the last individual is no individual.
    while (in_.SkipSeparators()) ReadIndividual(table, loci);
    return table.Take(warnings);
  }

 private:
  // The four numbers stand on the header's line: one taken from the next line would shift the
  // locus names by a line and make an individual a name.
  std::uint64_t HeaderNumber(int read, std::string_view what, std::uint64_t max) {
    if (!in_.SkipSeparatorsOnLine()) {
      in_.FailAt(headerLine_, "l'en-tête n'a que " + std::to_string(read) +
                                  (read == 1 ? " nombre" : " nombres") +
                                  " sur sa ligne, 4 attendus : échantillons, locus, plus grand "
                                  "allèle, chiffres par allèle.");
    }
    return in_.ReadUnsigned(what, max);
  }

  void ReadLocusNames(Document& doc, std::uint16_t loci) {
    for (int l = 1; l <= loci; ++l) {
      if (in_.AtEof()) {
        in_.Fail("le fichier se termine avant le nom du locus " + std::to_string(l) + " (" +
                 std::to_string(loci) + " locus annoncés).");
      }
      const int line = in_.Line();
      std::string name = in_.ReadLine();
      // Names written on one line would make the next individuals names, and drop them.
      if (FstatNameReadsAsIndividual(name, loci)) {
        in_.FailAt(line, QuotedText(name) +
                             " a la forme d'une ligne d'individu, pas d'un nom de locus : "
                             "l'en-tête (ligne " +
                             std::to_string(headerLine_) + ") annonce " + std::to_string(loci) +
                             " locus, un nom par ligne.");
      }
      doc.Cells.SetCell(l + 1, 1, std::move(name));
    }
  }

  void ReadIndividual(ImportTable& table, std::uint16_t loci) {
    const int line = in_.Line();
    const auto p = static_cast<std::uint16_t>(in_.ReadUnsigned("numéro de population", UINT16_MAX));
    const bool starts = table.Individuals() == 0 || p != previous_;
    previous_ = p;
    const int row = table.AddIndividual(starts, line);
    Document& doc = table.Doc();
    if (starts) doc.SetPopName(doc.NbPops, NumberedPopulationName(doc.NbPops));
    doc.Cells.SetCell(1, row, std::to_string(p));
    for (int l = 1; l <= loci; ++l) doc.Cells.SetCell(l + 1, row, ReadGenotype(row - 1, l, line));
    if (in_.SkipSeparatorsOnLine())
      in_.FailAt(line, TextAfterGenotypes(in_.NextToken(), row - 1, loci));
    in_.SkipLine();
  }

  // An individual's genotypes stand on its line: a short line must not take the next line's
  // population number as a genotype.
  std::string ReadGenotype(int k, int l, int line) {
    const std::string what =
        "le génotype du locus " + std::to_string(l) + " de l'individu " + std::to_string(k);
    if (!in_.SkipSeparatorsOnLine()) in_.FailAt(line, "la ligne se termine avant " + what + ".");
    // The split takes 1 or 3 digits per allele, 2 for any other nd.
    const int alleleDigits = digits_ == 1 || digits_ == 3 ? static_cast<int>(digits_) : 2;
    const AllelePair a = SplitFstatGenotype(ReadGenotypeNumber(in_, alleleDigits, k, l), digits_);
    return MakeGenotypeCode(a.a1, a.a2);
  }

  TextReader& in_;
  int headerLine_ = 1;
  std::int64_t digits_ = 2;
  std::uint16_t previous_ = 0;
};

}  // namespace

// A population number then one genotype number per locus, and nothing else.
bool FstatNameReadsAsIndividual(std::string_view text, std::size_t loci) {
  std::size_t numbers = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    if (static_cast<unsigned char>(text[i]) <= ' ') {
      ++i;
      continue;
    }
    const std::size_t start = i;
    while (i < text.size() && static_cast<unsigned char>(text[i]) > ' ') ++i;
    if (DigitsOf(text.substr(start, i - start)).empty()) return false;
    ++numbers;
  }
  return numbers == loci + 1;
}

AllelePair SplitFstatGenotype(std::uint64_t g, std::int64_t nd) {
  const std::uint64_t divisor = nd == 1 ? 10 : nd == 3 ? 1000 : 100;
  return {static_cast<std::uint16_t>(g / divisor), static_cast<std::uint16_t>(g % divisor)};
}

Document ReadFstatFile(std::istream& in, const std::string& name, ImportWarnings* warnings) {
  TextReader input(ImportedText(ReadStreamBytes(in, name), name, warnings), name);
  return FstatReader(input).Read(warnings);
}

Document ReadFstatFile(const std::string& FileName, ImportWarnings* warnings) {
  TextReader input(ImportedText(ReadFileBytes(FileName), FileName, warnings), FileName);
  return FstatReader(input).Read(warnings);
}

}  // namespace relakin
