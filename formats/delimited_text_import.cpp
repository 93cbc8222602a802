// Reading delimited text in two passes: the lines are cut into records first, so that the
// table's size is known and checked against the file's before any row is made.
#include "formats/delimited_text_import.h"

#include <optional>
#include <stdexcept>
#include <vector>

#include "core/errors.h"
#include "core/file_bytes.h"
#include "core/genotype_code.h"
#include "core/quoted_text.h"
#include "core/text_reader.h"
#include "formats/import_table.h"
#include "formats/text_fields.h"

namespace relakin {
namespace {

// Column numbers are 16-bit.
constexpr std::size_t kMaxColumn = 65535;
// Cells a table may have per byte of its file, beyond a fixed allowance. A file whose lines all
// hold their fields stays far below it; only lines of wildly unequal lengths reach it.
constexpr std::size_t kCellsPerByte = 4;
constexpr std::size_t kCellAllowance = std::size_t{1} << 20;

// A non-negative decimal number, leading blanks allowed; nothing else.
bool ParseAllele(std::string_view s, std::uint16_t& value) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  const std::string_view digits = DigitsOf(s);
  if (digits.empty()) return false;
  value = 0;
  for (const char c : digits) value = static_cast<std::uint16_t>(value * 10 + (c - '0'));
  return true;
}

std::optional<std::string> GenotypeOfText(std::string_view text, std::uint8_t digits) {
  std::uint16_t a1 = 0;
  std::uint16_t a2 = 0;
  if (!ParseAllele(LeftChars(text, digits), a1) || !ParseAllele(RightChars(text, digits), a2))
    return std::nullopt;
  return MakeGenotypeCode(a1, a2);
}

std::string NotAGenotype(std::string_view text) {
  return QuotedText(text) + " n'est pas un génotype valide";
}

struct Record {
  int line = 0;
  bool startsPopulation = false;
  std::string_view id;
  std::size_t firstColumn = 2;
  std::vector<std::string_view> fields;
};

class DelimitedReader {
 public:
  DelimitedReader(const DelimitedTextOptions& o, const std::string& name) : o_(o), name_(name) {}

  Document Read(std::string_view text) {
    const std::vector<std::string_view> lines = SplitTextLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (!IsBlankRecord(lines[i], o_.Separator)) Collect(lines[i], static_cast<int>(i) + 1);
    }
    CheckSize(text.size());
    return Build();
  }

 private:
  void Collect(std::string_view line, int number) {
    Record r{number, false, {}, 2, CutFields(line, o_.Separator)};
    if (o_.FirstLineLoci && !lociTaken_) {
      lociTaken_ = true;
      Widen(r);
      loci_ = std::move(r);
      return;
    }
    if (o_.PopulationColumn) {
      r.id = r.fields.front();
      r.fields.erase(r.fields.begin());
      r.startsPopulation = records_.empty() || r.id != records_.back().id;
    }
    r.firstColumn = o_.IndividualColumn ? 1 : 2;
    if (records_.size() >= kMaxImportIndividuals) {
      throw Error(ErrorKind::Capacity,
                  Where(number) + "trop d'individus : " + std::to_string(kMaxImportIndividuals) +
                      " au plus.",
                  number);
    }
    Widen(r);
    records_.push_back(std::move(r));
  }

  void Widen(const Record& r) {
    const std::size_t last = r.firstColumn + r.fields.size() - 1;
    if (r.fields.empty() || last <= lastColumn_) return;
    if (last > kMaxColumn) {
      throw Error(ErrorKind::Capacity, Where(r.line) + "trop de champs : 65534 locus au plus.",
                  r.line);
    }
    lastColumn_ = last;
  }

  void CheckSize(std::size_t bytes) const {
    const std::size_t cells = (records_.size() + 2) * (lastColumn_ + 1);
    if (cells > kCellsPerByte * bytes + kCellAllowance) {
      throw Error(ErrorKind::Capacity,
                  "Le fichier " + name_ + " donnerait une table de " +
                      std::to_string(records_.size()) + " individus sur " +
                      std::to_string(lastColumn_ - 1) +
                      " locus, démesurée pour sa taille : ses lignes ont des longueurs trop "
                      "inégales.");
    }
  }

  Document Build() const {
    ImportTable table(static_cast<std::uint16_t>(lastColumn_ - 1), name_);
    Document& doc = table.Doc();
    doc.SetPopName(1, "");
    for (std::size_t i = 0; i < loci_.fields.size(); ++i)
      doc.Cells.SetCell(static_cast<int>(2 + i), 1, std::string(loci_.fields[i]));
    for (const Record& r : records_) {
      const int row = table.AddIndividual(r.startsPopulation, r.line);
      if (r.startsPopulation) doc.SetPopName(doc.NbPops, std::string(r.id));
      for (std::size_t i = 0; i < r.fields.size(); ++i) {
        const int col = static_cast<int>(r.firstColumn + i);
        doc.Cells.SetCell(col, row, col == 1 ? std::string(r.fields[i]) : Genotype(r, i, col));
      }
    }
    if (doc.NbPops == 0) {
      doc.NbPops = 1;
      doc.SetPopFirstRow(1, 2);
    }
    return table.Take();
  }

  std::string Genotype(const Record& r, std::size_t i, int col) const {
    std::optional<std::string> code = GenotypeOfText(r.fields[i], o_.Digits);
    if (!code) {
      throw Error(
          ErrorKind::Conversion,
          Where(r.line) + NotAGenotype(r.fields[i]) + " (locus " + std::to_string(col - 1) + ").",
          r.line);
    }
    return std::move(*code);
  }

  std::string Where(int line) const { return WhereInFile(name_, line); }

  const DelimitedTextOptions& o_;
  const std::string& name_;
  bool lociTaken_ = false;
  Record loci_;
  std::vector<Record> records_;
  std::size_t lastColumn_ = 1;
};

Document ReadDelimited(std::string_view text, const DelimitedTextOptions& options,
                       const std::string& name) {
  if (options.Digits < 1 || options.Digits > 3)
    throw std::invalid_argument("digits per allele: 1, 2 or 3");
  if (options.Separator.size() > 1) throw std::invalid_argument("separator: one character");
  return DelimitedReader(options, name).Read(text);
}

}  // namespace

std::string SplitGenotypeText(std::string_view Text, std::uint8_t Digits) {
  const std::optional<std::string> code = GenotypeOfText(Text, Digits);
  if (!code) throw Error(ErrorKind::Conversion, NotAGenotype(Text) + ".");
  return *code;
}

Document ReadDelimitedText(std::istream& in, const DelimitedTextOptions& options,
                           const std::string& name, ImportWarnings* warnings) {
  return ReadDelimited(ImportedText(ReadStreamBytes(in, name), name, warnings), options, name);
}

Document ReadDelimitedText(const std::string& FileName, const DelimitedTextOptions& options,
                           ImportWarnings* warnings) {
  return ReadDelimited(ImportedText(ReadFileBytes(FileName), FileName, warnings), options,
                       FileName);
}

}  // namespace relakin
