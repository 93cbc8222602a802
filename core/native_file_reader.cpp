// Reading the native genotype file, one step per section of its layout. The reader fills a fresh
// document, so a failure leaves the caller's table as it was.
#include <cstdint>
#include <string>

#include "core/errors.h"
#include "core/genotype_code.h"
#include "core/native_file.h"
#include "core/native_format.h"
#include "core/text_reader.h"

namespace relakin {
namespace {

constexpr std::string_view kNotNative =
    "Ce fichier ne semble pas être un fichier au format BRAVOLT !";
// Grid rows are 16-bit: individual k stands on row k + 1.
constexpr std::uint16_t kMaxIndividuals = 65534;

class NativeReader {
 public:
  explicit NativeReader(TextReader& in) : in_(in) {}

  Document Read() {
    ReadHeader();
    ReadLocusBlocks();
    doc_.Cells.SetRowCount(2);
    for (std::uint16_t p = 0; p < nPops_; ++p) ReadPopulationBlock();
    return std::move(doc_);
  }

 private:
  // Lines 1 and 2: the locus count (not a number: not a native file) and the population count.
  void ReadHeader() {
    std::int64_t loci = 0;
    try {
      loci = in_.ReadInteger();
    } catch (const Error&) {
      throw Error(ErrorKind::NotNativeFile, std::string(kNotNative), 1);
    }
    if (loci < 0 || loci > UINT16_MAX)
      in_.Fail("nombre de locus hors limites (0 à 65535) : " + std::to_string(loci) + ".");
    nLoci_ = static_cast<std::uint16_t>(loci);
    in_.SkipLine();
    nPops_ = in_.ReadCount("nombre de populations");
    in_.SkipLine();
  }

  // Two lines per locus: the whole name line, then the allele line (skipped).
  void ReadLocusBlocks() {
    doc_.Cells.Resize(nLoci_ + 2, 2);
    for (int l = 1; l <= nLoci_; ++l) {
      doc_.Cells.SetCell(l + 1, 1, in_.ReadLine());
      doc_.Cells.SetCell(l + 1, 0, "locus" + std::to_string(l));
      in_.SkipLine();
    }
  }

  // A name line, a count line, then the individuals. A block without individuals still gets
  // one empty marked row, so the population keeps its place in the table.
  void ReadPopulationBlock() {
    const std::size_t p = ++doc_.NbPops;
    doc_.SetPopName(p, in_.ReadLine());
    const std::uint16_t n = in_.ReadCount("nombre d'individus");
    in_.SkipLine();
    if (n == 0) {
      AddRow(true);
      return;
    }
    for (std::uint16_t i = 1; i <= n; ++i) ReadNativeIndividual(i);
  }

  // One individual line: the 10-character name field as it is, then one genotype per locus.
  void ReadNativeIndividual(std::uint16_t i) {
    const int row = AddRow(i == 1);
    doc_.Cells.SetCell(1, row, in_.ReadField(kNameFieldWidth, "le nom de l'individu"));
    for (int l = 1; l <= nLoci_; ++l) doc_.Cells.SetCell(l + 1, row, ReadGenotype());
    in_.SkipLine();
  }

  std::string ReadGenotype() {
    const std::int64_t g = in_.ReadInteger();
    if (g < 0 || g / 1000 > UINT16_MAX)
      in_.Fail("génotype hors limites : " + std::to_string(g) + ".");
    return MakeGenotypeCode(static_cast<std::uint16_t>(g / 1000),
                            static_cast<std::uint16_t>(g % 1000));
  }

  // Appends the row of the next individual with its label; a population's first row carries
  // the marker and is recorded in PopFirstRow.
  int AddRow(bool first) {
    if (indNum_ > kMaxIndividuals)
      throw Error(ErrorKind::Capacity,
                  "Trop d'individus : " + std::to_string(kMaxIndividuals) + " au plus.",
                  in_.Line());
    const int row = indNum_ + 1;
    doc_.Cells.SetRowCount(row + 1);
    const std::string number = std::to_string(indNum_);
    if (first) {
      doc_.Cells.SetCell(0, row, "Pop Ind" + number);
      doc_.SetPopFirstRow(doc_.NbPops, static_cast<std::uint16_t>(row));
    } else {
      doc_.Cells.SetCell(0, row, "    Ind" + number);
    }
    ++indNum_;
    return row;
  }

  TextReader& in_;
  Document doc_;
  std::uint16_t nLoci_ = 0;
  std::uint16_t nPops_ = 0;
  std::uint32_t indNum_ = 1;
};

}  // namespace

Document ReadNativeFile(const std::string& FileName) {
  TextReader in = TextReader::FromFile(FileName);
  return NativeReader(in).Read();
}

Document ReadNativeText(const std::string& content, const std::string& name) {
  TextReader in(content, name);
  return NativeReader(in).Read();
}

}  // namespace relakin
