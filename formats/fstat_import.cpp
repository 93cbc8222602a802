// Reading an FSTAT file, one step per section of its layout.
#include "formats/fstat_import.h"

#include <limits>

#include "core/file_bytes.h"
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
    HeaderNumber("nombre d'échantillons", UINT16_MAX);
    const auto loci = static_cast<std::uint16_t>(HeaderNumber("nombre de locus", UINT16_MAX));
    HeaderNumber("plus grand allèle", UINT16_MAX);
    digits_ = static_cast<std::int64_t>(HeaderNumber("nombre de chiffres", kNoMax));
    in_.SkipLine();
    ImportTable table(loci, in_.Name());
    ReadLocusNames(table.Doc(), loci);
    // Blank text after the last individual is no individual.
    while (in_.SkipSeparators()) ReadIndividual(table, loci);
    return table.Take(warnings);
  }

 private:
  std::uint64_t HeaderNumber(std::string_view what, std::uint64_t max) {
    in_.RequireToken("l'en-tête (4 nombres attendus)");
    return in_.ReadUnsigned(what, max);
  }

  void ReadLocusNames(Document& doc, std::uint16_t loci) {
    for (int l = 1; l <= loci; ++l) {
      if (in_.AtEof()) {
        in_.Fail("le fichier se termine avant le nom du locus " + std::to_string(l) + " (" +
                 std::to_string(loci) + " locus annoncés).");
      }
      doc.Cells.SetCell(l + 1, 1, in_.ReadLine());
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
  std::int64_t digits_ = 2;
  std::uint16_t previous_ = 0;
};

}  // namespace

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
