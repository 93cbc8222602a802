// Reading the older file pair, one step per section of the data file's layout.
#include "formats/older_pair_import.h"

#include <cstdint>

#include "core/errors.h"
#include "core/genotype_code.h"
#include "core/text_reader.h"
#include "formats/import_table.h"

namespace relakin {
namespace {

constexpr std::size_t kNameWidth = 4;  // the population code and three more characters

class OlderPairReader {
 public:
  OlderPairReader(TextReader& data, TextReader& locus) : data_(data), locus_(locus) {}

  Document Read() {
    // Both counts are checked before anything is allocated.
    individuals_ = Count("nombre d'individus", "le nombre d'individus");
    const std::uint16_t loci = Count("nombre de locus", "le nombre de locus");
    for (int i = 0; i < 4; ++i) data_.SkipLine();  // the rest of line 1, then lines 2 to 4
    ImportTable table(loci, data_.Name());
    ReadLocusNames(table.Doc(), loci);
    for (std::uint32_t k = 1; k <= individuals_; ++k) ReadIndividual(table, k, loci);
    return table.Take();
  }

 private:
  std::uint16_t Count(std::string_view what, std::string_view missing) {
    data_.RequireToken(missing);
    return static_cast<std::uint16_t>(data_.ReadUnsigned(what, UINT16_MAX));
  }

  // Characters 3 to 5 of each line; a short line gives what it has and never runs into the next.
  void ReadLocusNames(Document& doc, std::uint16_t loci) {
    for (int l = 1; l <= loci && !locus_.AtEof(); ++l) {
      const std::string line = locus_.ReadLine();
      doc.Cells.SetCell(l + 1, 1, line.size() > 2 ? line.substr(2, 3) : std::string());
    }
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
    for (int l = 1; l <= loci; ++l) doc.Cells.SetCell(l + 1, row, ReadGenotype(k, l));
    data_.SkipLine();
  }

  std::string ReadGenotype(std::uint32_t k, int l) {
    data_.RequireToken("le génotype du locus " + std::to_string(l) + " de l'individu " +
                       std::to_string(k) + " (" + std::to_string(individuals_) +
                       " individus annoncés)");
    const std::uint64_t g = data_.ReadUnsigned("génotype", 65535999ull);
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
  return name.substr(0, end) + "mod";
}

Document ReadModDonPair(std::istream& data, std::istream& locus, const std::string& dataName) {
  TextReader dataIn = TextReader::FromStream(data, dataName);
  TextReader locusIn = TextReader::FromStream(locus);
  return OlderPairReader(dataIn, locusIn).Read();
}

Document ReadModDonPair(const std::string& FileName) {
  const std::optional<std::string> locusName = OlderLocusFileName(FileName);
  if (!locusName) throw Error(ErrorKind::Io, "Fichier .mod absent !");
  TextReader dataIn = TextReader::FromFile(FileName);
  TextReader locusIn = TextReader::FromFile(*locusName);
  return OlderPairReader(dataIn, locusIn).Read();
}

}  // namespace relakin
