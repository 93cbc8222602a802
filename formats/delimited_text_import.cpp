// Reading delimited text in two passes: the lines are cut into records first, so that the
// number of loci is known from the locus line and the first individual before any row is made.
#include "formats/delimited_text_import.h"

#include <algorithm>
#include <optional>
#include <span>
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

// Column numbers are 16-bit: columns 0 and 1 hold the labels and the names.
constexpr std::size_t kMaxLoci = 65534;

using Fields = std::span<const std::string_view>;

// A non-negative decimal number, leading blanks allowed; nothing else.
bool ParseAllele(std::string_view s, std::uint16_t& value) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  const std::string_view digits = DigitsOf(s);
  if (digits.empty()) return false;
  value = 0;
  for (const char c : digits) value = static_cast<std::uint16_t>(value * 10 + (c - '0'));
  return true;
}

bool AllDigits(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<std::string> GenotypeOfText(std::string_view text, std::uint8_t digits) {
  const std::size_t d = digits;
  std::string padded;
  if (text.size() > d && text.size() < 2 * d && AllDigits(text)) {
    // A spreadsheet drops a number's leading zeros: 123 was 0123.
    padded = std::string(2 * d - text.size(), '0') + std::string(text);
    text = padded;
  } else if (text.size() > 2 * d) {
    // What stands between the alleles may only part them: digits there would be lost.
    const std::string_view middle = text.substr(d, text.size() - 2 * d);
    if (std::any_of(middle.begin(), middle.end(), [](char c) { return c >= '0' && c <= '9'; }))
      return std::nullopt;
  }
  std::uint16_t a1 = 0;
  std::uint16_t a2 = 0;
  if (!ParseAllele(LeftChars(text, digits), a1) || !ParseAllele(RightChars(text, digits), a2))
    return std::nullopt;
  return MakeGenotypeCode(a1, a2);
}

std::string NotAGenotype(std::string_view text) {
  return QuotedText(text) + " n'est pas un génotype valide";
}

// The fields up to the last non-empty one.
std::size_t FilledCount(Fields fields) {
  std::size_t n = fields.size();
  while (n > 0 && fields[n - 1].empty()) --n;
  return n;
}

std::string CountMessage(std::size_t found, std::size_t expected) {
  const std::string what = found == 0   ? "aucun génotype trouvé, "
                           : found == 1 ? "1 génotype trouvé, "
                                        : std::to_string(found) + " génotypes trouvés, ";
  return what + std::to_string(expected) + (expected > 1 ? " attendus" : " attendu");
}

struct Record {
  int line = 0;
  std::vector<std::string_view> fields;
};

class DelimitedReader {
 public:
  DelimitedReader(const DelimitedTextOptions& o, const std::string& name)
      : o_(o),
        name_(name),
        identity_(std::size_t{o.PopulationColumn} + std::size_t{o.IndividualColumn}) {}

  Document Read(std::string_view text, ImportWarnings* warnings) {
    const std::vector<std::string_view> lines = SplitTextLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (!IsBlankRecord(lines[i], o_.Separator)) Collect(lines[i], static_cast<int>(i) + 1);
    }
    CountLoci();
    return Build(warnings);
  }

 private:
  void Collect(std::string_view line, int number) {
    Record r{number, CutFields(line, o_.Separator)};
    if (o_.FirstLineLoci && !lociTaken_) {
      lociTaken_ = true;
      locusLine_ = std::move(r);
      return;
    }
    if (records_.size() >= kMaxImportIndividuals) {
      throw Error(ErrorKind::Capacity,
                  Where(number) + "trop d'individus : " + std::to_string(kMaxImportIndividuals) +
                      " au plus.",
                  number);
    }
    records_.push_back(std::move(r));
  }

  Fields GenotypeFields(const Record& r) const {
    const Fields all(r.fields);
    return all.size() > identity_ ? all.subspan(identity_) : Fields{};
  }

  void CountLoci() {
    int line = 0;
    if (lociTaken_) {
      line = locusLine_.line;
      const Fields names(locusLine_.fields);
      names_ = names.first(FilledCount(names));
      loci_ = names_.size();
    } else if (!records_.empty()) {
      // The widest line: a spreadsheet pads the narrower ones, an empty cell is no locus less.
      for (const Record& r : records_) {
        const std::size_t filled = FilledCount(GenotypeFields(r));
        if (filled > loci_) {
          loci_ = filled;
          widest_ = r.line;
        }
      }
      line = records_.front().line;
      CheckIdentity(records_.front());
      if (loci_ == 0) throw Error(ErrorKind::Input, Where(line) + "aucun génotype trouvé.", line);
      line = widest_;
    }
    if (loci_ > kMaxLoci) {
      throw Error(ErrorKind::Capacity, Where(line) + "trop de champs : 65534 locus au plus.", line);
    }
  }

  // Why a line of `found` genotype fields does not fit, where a hint can tell.
  std::string CountHint(std::size_t found) const {
    if (lociTaken_ && identity_ > 0 && found + identity_ == loci_) {
      return " ; la ligne " + std::to_string(locusLine_.line) +
             " ne doit nommer que les locus, sans les colonnes d'identifiants";
    }
    if (!lociTaken_ && found < loci_)
      return " (la ligne " + std::to_string(widest_) + " en porte " + std::to_string(loci_) + ")";
    return {};
  }

  void CheckIdentity(const Record& r) const {
    const auto check = [&](std::size_t i, const char* what) {
      if (i >= r.fields.size() || r.fields[i].empty())
        throw Error(ErrorKind::Input, Where(r.line) + what, r.line);
    };
    if (o_.PopulationColumn) check(0, "identifiant de population absent.");
    if (o_.IndividualColumn) check(o_.PopulationColumn ? 1 : 0, "nom de l'individu absent.");
  }

  // The line's genotype fields, one per locus, padding off.
  Fields CheckedGenotypes(const Record& r) const {
    const Fields fields = GenotypeFields(r);
    const std::size_t filled = FilledCount(fields);
    if (fields.size() < loci_ || filled > loci_) {
      const std::size_t found = filled > loci_ ? filled : fields.size();
      throw Error(ErrorKind::Input,
                  Where(r.line) + CountMessage(found, loci_) + CountHint(found) + ".", r.line);
    }
    return fields.first(loci_);
  }

  Document Build(ImportWarnings* warnings) const {
    ImportTable table(static_cast<std::uint16_t>(loci_), name_);
    Document& doc = table.Doc();
    doc.SetPopName(1, "");
    for (std::size_t i = 0; i < names_.size(); ++i)
      doc.Cells.SetCell(static_cast<int>(2 + i), 1, std::string(names_[i]));
    std::string_view previousId;
    for (const Record& r : records_) {
      CheckIdentity(r);
      const Fields genotypes = CheckedGenotypes(r);
      const bool startsPopulation =
          o_.PopulationColumn && (table.Individuals() == 0 || r.fields[0] != previousId);
      const int row = table.AddIndividual(startsPopulation, r.line);
      if (o_.PopulationColumn) previousId = r.fields[0];
      if (startsPopulation) table.SetPopName(doc.NbPops, std::string(previousId));
      if (o_.IndividualColumn)
        doc.Cells.SetCell(1, row, std::string(r.fields[o_.PopulationColumn ? 1 : 0]));
      for (std::size_t i = 0; i < genotypes.size(); ++i) {
        const int col = static_cast<int>(2 + i);
        doc.Cells.SetCell(col, row, Genotype(r, genotypes[i], col));
      }
    }
    if (doc.NbPops == 0) {
      doc.NbPops = 1;
      doc.SetPopFirstRow(1, 2);
    }
    return table.Take(warnings);
  }

  std::string Genotype(const Record& r, std::string_view field, int col) const {
    // An empty cell between two separators: the genotype was not typed.
    if (field.empty()) return std::string(kMissingGenotype);
    std::optional<std::string> code = GenotypeOfText(field, o_.Digits);
    if (!code) {
      throw Error(ErrorKind::Conversion,
                  Where(r.line) + NotAGenotype(field) + " (locus " + std::to_string(col - 1) + ").",
                  r.line);
    }
    return std::move(*code);
  }

  std::string Where(int line) const { return WhereInFile(name_, line); }

  const DelimitedTextOptions& o_;
  const std::string& name_;
  const std::size_t identity_;  // identity fields at the start of an individual's line
  bool lociTaken_ = false;
  Record locusLine_;
  Fields names_;
  int widest_ = 0;  // without a locus line, the line with the most genotypes
  std::size_t loci_ = 0;
  std::vector<Record> records_;
};

Document ReadDelimited(std::string text, const DelimitedTextOptions& options,
                       const std::string& name, ImportWarnings* warnings) {
  if (options.Digits < 1 || options.Digits > 3)
    throw std::invalid_argument("digits per allele: 1, 2 or 3");
  if (options.Separator.size() > 1) throw std::invalid_argument("separator: one character");
  // A Ctrl-Z right after the last field would otherwise end up inside it.
  const std::string kept = TextBeforeEndOfFileMark(std::move(text), name);
  return DelimitedReader(options, name).Read(kept, warnings);
}

}  // namespace

std::string SplitGenotypeText(std::string_view Text, std::uint8_t Digits) {
  const std::optional<std::string> code = GenotypeOfText(Text, Digits);
  if (!code) throw Error(ErrorKind::Conversion, NotAGenotype(Text) + ".");
  return *code;
}

Document ReadDelimitedText(std::istream& in, const DelimitedTextOptions& options,
                           const std::string& name, ImportWarnings* warnings) {
  return ReadDelimited(ImportedText(ReadStreamBytes(in, name), name, warnings), options, name,
                       warnings);
}

Document ReadDelimitedText(const std::string& FileName, const DelimitedTextOptions& options,
                           ImportWarnings* warnings) {
  return ReadDelimited(ImportedText(ReadFileBytes(FileName), FileName, warnings), options, FileName,
                       warnings);
}

}  // namespace relakin
