// Reading the native genotype file, one step per section of its layout. The reader fills a fresh
// document, so a failure leaves the caller's table as it was. What it builds grows with what the
// file holds, never with the counts it declares: a block the file announces but does not hold
// is a truncated file, refused with the line where the file ends.
#include <cstdint>
#include <string>

#include "core/errors.h"
#include "core/genotype_code.h"
#include "core/native_file.h"
#include "core/native_format.h"
#include "core/quoted_text.h"
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
    // What stands after the last block the header announces would be lost on the next save.
    if (in_.MoreTokens()) {
      in_.SkipSeparators();
      in_.Fail("texte après le dernier individu annoncé (" + std::to_string(nPops_) +
               " populations annoncées).");
    }
    return std::move(doc_);
  }

 private:
  // Lines 1 and 2: the locus count (not a number: not a native file) and the population count.
  void ReadHeader() {
    // An empty file is an empty table; control characters, which the token reading would skip
    // as separators, are binary junk, no native file.
    if (HoldsJunk()) throw Error(ErrorKind::NotNativeFile, std::string(kNotNative), 1);
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
      const std::string block = "le locus " + std::to_string(l);
      if (in_.AtEof()) Truncated(block + " (" + std::to_string(nLoci_) + " annoncés)");
      doc_.Cells.SetCell(l + 1, 1, in_.ReadLine());
      doc_.Cells.SetCell(l + 1, 0, "locus" + std::to_string(l));
      if (in_.AtEof()) Truncated("la ligne des allèles du locus " + std::to_string(l));
      in_.SkipLine();
    }
  }

  // A name line, a count line, then the individuals. A block without individuals still gets
  // one empty marked row, so the population keeps its place in the table.
  void ReadPopulationBlock() {
    const std::size_t p = doc_.NbPops + 1u;
    const std::string pop = "la population " + std::to_string(p);
    if (in_.AtEof()) Truncated(pop + " (" + std::to_string(nPops_) + " annoncées)");
    ++doc_.NbPops;
    doc_.SetPopName(p, in_.ReadLine());
    if (!in_.MoreTokens()) Truncated("le nombre d'individus de " + pop);
    const std::uint16_t n = in_.ReadCount("nombre d'individus");
    // A second number there would be a count the file does not keep.
    if (in_.SkipSeparatorsOnLine()) {
      in_.Fail(QuotedText(in_.NextToken()) + " après le nombre d'individus de " + pop +
               " (un seul nombre attendu).");
    }
    if (n == 0) AddRow(true);
    in_.SkipLine();
    for (std::uint16_t i = 1; i <= n; ++i)
      ReadNativeIndividual(i, "l'individu " + std::to_string(i) + " de " + pop, n);
  }

  // One individual line: the 10-character name field as it is, then one genotype per locus.
  // Every field must be in the file: a row is added only for an individual that is there.
  void ReadNativeIndividual(std::uint16_t i, const std::string& ind, std::uint16_t n) {
    const std::string who = ind + " (" + std::to_string(n) + " annoncés)";
    if (in_.AtEof()) Truncated(who);
    const int row = AddRow(i == 1);
    std::string name = in_.ReadField(kNameFieldWidth, "le nom de l'individu");
    if (name.size() < kNameFieldWidth) Truncated("la fin du nom de " + who);
    // The writer puts a blank after the field. A word running across the field's end is a name
    // that overflows it: reading on would cut it and take its rest for a genotype.
    if (static_cast<unsigned char>(name.back()) > ' ' && !in_.AtLineEnd() &&
        static_cast<unsigned char>(in_.Peek()) > ' ') {
      const std::string rest(in_.NextToken());
      in_.Fail("le nom de " + ind + " déborde de ses " + std::to_string(kNameFieldWidth) +
               " caractères : " + QuotedText(name + rest) + " (un nom a au plus " +
               std::to_string(kNameFieldWidth) +
               " caractères, cadrés à droite, suivis d'un blanc).");
    }
    doc_.Cells.SetCell(1, row, std::move(name));
    for (int l = 1; l <= nLoci_; ++l) {
      if (!in_.MoreTokens()) Truncated("le génotype du locus " + std::to_string(l) + " de " + who);
      doc_.Cells.SetCell(l + 1, row, ReadGenotype(l, ind));
    }
    // Genotypes beyond the file's loci would vanish at the next save.
    if (in_.SkipSeparatorsOnLine()) in_.Fail(TextAfterIndividual(in_.NextToken(), ind));
    in_.SkipLine();
  }

  std::string TextAfterIndividual(std::string_view text, const std::string& ind) const {
    if (nLoci_ == 0)
      return QuotedText(text) + " après le nom de " + ind + " (aucun génotype attendu, 0 locus).";
    const std::string expected =
        nLoci_ == 1 ? "1 génotype attendu" : std::to_string(nLoci_) + " génotypes attendus";
    return QuotedText(text) + " après le dernier génotype de " + ind + " (" + expected +
           ", un par locus).";
  }

  // A control character other than a TAB, a line end or a Ctrl-Z before the first token.
  bool HoldsJunk() const {
    for (const char c : in_.Rest()) {
      if (static_cast<unsigned char>(c) > ' ') break;
      if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\x1a') return true;
    }
    return false;
  }

  // The file ends where `what` should stand.
  [[noreturn]] void Truncated(const std::string& what) const {
    in_.Fail("fichier tronqué : la fin du fichier arrive avant " + what + ".");
  }

  // Two alleles of three digits: a wider number would split into alleles the file does not hold.
  std::string ReadGenotype(int l, const std::string& ind) {
    const std::int64_t g = in_.ReadInteger();
    if (g < 0 || g > 999999) {
      in_.Fail("génotype hors limites au locus " + std::to_string(l) + " de " + ind + " : " +
               std::to_string(g) + " (999999 au plus).");
    }
    return MakeGenotypeCode(static_cast<std::uint16_t>(g / 1000),
                            static_cast<std::uint16_t>(g % 1000));
  }

  // Appends the row of the next individual with its label; a population's first row carries
  // the marker and is recorded in PopFirstRow.
  int AddRow(bool first) {
    if (indNum_ > kMaxIndividuals) {
      throw Error(
          ErrorKind::Capacity,
          in_.Where() + "Trop d'individus : " + std::to_string(kMaxIndividuals) + " au plus.",
          in_.Line());
    }
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
