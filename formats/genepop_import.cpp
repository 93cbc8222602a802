// Reading a GENEPOP file line by line: the locus list, then one individual per line holding a
// comma, its genotypes on that line and on lines of numbers alone after it. A genotype whose
// reading depends on the file's width waits, with its place, until the whole file has been seen.
#include "formats/genepop_import.h"

#include <charconv>
#include <vector>

#include "core/errors.h"
#include "core/file_bytes.h"
#include "core/quoted_text.h"
#include "core/text_reader.h"
#include "formats/import_table.h"
#include "formats/import_text.h"

namespace relakin {
namespace {

constexpr std::size_t kMostDigits = 6;
// Two alleles take four digits at least.
constexpr std::size_t kMostShortDigits = 3;

std::string_view TrimControls(std::string_view s) {
  while (!s.empty() && IsBlankChar(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlankChar(s.back())) s.remove_suffix(1);
  return s;
}

// "pop" in any letter case at the start of a trimmed line.
bool StartsWithPop(std::string_view trimmed) {
  return trimmed.size() >= 3 && IsPopLine(trimmed.substr(0, 3));
}

// The text of the line the reader stands at the start of, without its line end.
std::string_view CurrentLine(const TextReader& in) {
  const std::string_view rest = in.Rest();
  return rest.substr(0, rest.find_first_of("\r\n"));
}

// The tokens of a line, cut at the characters of code 32 or less.
class Tokens {
 public:
  explicit Tokens(std::string_view text) : text_(text) {}
  // Empty after the last.
  std::string_view Next() {
    std::size_t start = 0;
    while (start < text_.size() && IsBlankChar(text_[start])) ++start;
    std::size_t end = start;
    while (end < text_.size() && !IsBlankChar(text_[end])) ++end;
    const std::string_view token = text_.substr(start, end - start);
    text_.remove_prefix(end);
    return token;
  }

 private:
  std::string_view text_;
};

AllelePair Padded(std::uint32_t g, std::size_t width) {
  const std::uint32_t half = width == 4 ? 100 : 1000;
  return {static_cast<std::uint16_t>(g / half), static_cast<std::uint16_t>(g % half)};
}

bool SameAlleles(AllelePair a, AllelePair b) { return a.a1 == b.a1 && a.a2 == b.a2; }

std::string Digits(std::size_t n) { return std::to_string(n) + " chiffres"; }

// Why SplitGenepopGenotype(digits, width) gives nothing for a number of digits only.
std::string WidthRefusal(std::string_view digits, int width) {
  const std::string what = "génotype de " + Digits(digits.size()) + " " + QuotedText(digits);
  if (digits.size() > kMostDigits) return what + " : un génotype s'écrit en 4 ou 6 chiffres.";
  if (width == 4 || width == 6) {
    return what + " dans un fichier dont les génotypes ont " + Digits(std::size_t(width)) + ".";
  }
  std::string both;
  if (digits.size() < 4) {
    const std::string four = std::string(4 - digits.size(), '0') + std::string(digits);
    both = " (" + four + " ou 00" + four + " ?)";
  }
  return what + " : ce fichier n'écrit pas ses génotypes tous en 4 ou tous en 6 chiffres, rien " +
         "ne dit comment le compléter" + both + ".";
}

// A genotype whose reading waits for the file's width.
struct WidthPending {
  int col = 0;
  int row = 0;
  int line = 0;
  std::string_view digits;
};

class GenepopReader {
 public:
  explicit GenepopReader(TextReader& in) : in_(in) {}

  Document Read(ImportWarnings* warnings) {
    const std::vector<std::string_view> names = ReadGenepopLoci();
    ImportTable table(static_cast<std::uint16_t>(names.size()), in_.Name());
    for (std::size_t l = 0; l < names.size(); ++l)
      table.Doc().Cells.SetCell(int(l) + 2, 1, std::string(names[l]));
    loci_ = static_cast<int>(names.size());
    while (!in_.AtEof()) {
      ReadGenepopLine(table);
      in_.SkipLine();
    }
    RequireGenotypesDone(table.Doc(), Next::End, 0);
    FillWidthPending(table.Doc());
    return table.Take(warnings);
  }

 private:
  // The title is skipped; every line up to the first POP line that is not blank names one
  // locus, or several when it holds commas. Without a POP line the file is refused whole, whatever
  // its length.
  std::vector<std::string_view> ReadGenepopLoci() {
    in_.SkipLine();
    std::vector<std::string_view> names;
    int tooMany = 0;  // the line of the locus past the limit
    while (!in_.AtEof()) {
      const int line = in_.Line();
      const std::string_view text = CurrentLine(in_);
      in_.SkipLine();
      if (IsPopLine(text)) {
        if (tooMany != 0) {
          throw Error(ErrorKind::Capacity,
                      WhereInFile(in_.Name(), tooMany) + "trop de locus (65535 au plus).", tooMany);
        }
        return names;
      }
      // Blank lines name no locus, as peer tools read them.
      if (tooMany == 0 && !TrimControls(text).empty()) {
        AddLocusNames(text, names);
        if (names.size() > UINT16_MAX) tooMany = line;
      }
    }
    const std::string& file = in_.Name();
    throw Error(ErrorKind::Input, (file.empty() ? "Aucune" : file + " : aucune") +
                                      " ligne POP : ce n'est pas un fichier GENEPOP.");
  }

  static void AddLocusNames(std::string_view line, std::vector<std::string_view>& names) {
    if (line.find(',') == std::string_view::npos) {
      names.push_back(line);
      return;
    }
    // "loc1, loc2, loc3": one locus each, trimmed; a comma at the end adds none.
    while (true) {
      const std::size_t comma = line.find(',');
      const std::string_view name = TrimControls(line.substr(0, comma));
      if (comma == std::string_view::npos) {
        if (!name.empty()) names.push_back(name);
        return;
      }
      names.push_back(name);
      line.remove_prefix(comma + 1);
    }
  }

  // One line among the populations; the reader stays at its start.
  void ReadGenepopLine(ImportTable& table) {
    const int line = in_.Line();
    const std::string_view text = CurrentLine(in_);
    const std::string_view trimmed = TrimControls(text);
    if (trimmed.empty()) return;
    const std::size_t comma = text.find(',');
    if (IsPopLine(text) || (comma != std::string_view::npos && IsPopLine(text.substr(0, comma)))) {
      RequireGenotypesDone(table.Doc(), Next::PopLine, line);
      if (!IsPopLine(text) && !TrimControls(text.substr(comma + 1)).empty()) {
        in_.FailAt(line, QuotedText(trimmed) +
                             " : une ligne de population porte « Pop » seul, sans texte après.");
      }
      indexInPop_ = 0;
      return;
    }
    if (comma != std::string_view::npos) {
      RequireGenotypesDone(table.Doc(), Next::Individual, line);
      StartIndividual(table, line, text.substr(0, comma));
      ReadGenotypes(table.Doc(), text.substr(comma + 1), line);
      return;
    }
    ReadContinuation(table.Doc(), trimmed, line);
  }

  // A line without a comma: only the genotypes still due, as numbers alone, may stand there.
  void ReadContinuation(Document& doc, std::string_view trimmed, int line) {
    const int due = GenotypesDue();
    int numbers = 0;
    bool onlyNumbers = true;
    Tokens tokens(trimmed);
    for (std::string_view t = tokens.Next(); !t.empty(); t = tokens.Next()) {
      ++numbers;
      onlyNumbers = onlyNumbers && !DigitsOf(t).empty();
    }
    if (due > 0 && onlyNumbers && numbers <= due) {
      ReadGenotypes(doc, trimmed, line);
      return;
    }
    if (StartsWithPop(trimmed)) {
      in_.FailAt(line,
                 QuotedText(trimmed) +
                     " n'est pas une ligne POP : une ligne de population porte « Pop » seul.");
    }
    if (due > 0 && onlyNumbers) {
      in_.FailAt(line, "ligne sans virgule " + QuotedText(trimmed) + " : " +
                           std::to_string(numbers) + " nombres, plus que " +
                           (due == 1 ? std::string("le génotype")
                                     : "les " + std::to_string(due) + " génotypes") +
                           " que l'individu " + std::to_string(row_ - 1) + " attend encore.");
    }
    in_.FailAt(line, "ligne sans virgule " + QuotedText(trimmed) +
                         " : un individu s'écrit « nom, génotypes ».");
  }

  void StartIndividual(ImportTable& table, int line, std::string_view name) {
    row_ = table.AddIndividual(indexInPop_ == 0, line);
    ++indexInPop_;
    startLine_ = line;
    nextLocus_ = 1;
    Document& doc = table.Doc();
    const std::string text(name);
    table.SetPopName(doc.NbPops, text);
    doc.Cells.SetCell(1, row_, text);
  }

  int GenotypesDue() const { return row_ == 0 ? 0 : loci_ - nextLocus_ + 1; }

  // The genotypes still due that `text` holds. Text after the last one would be data dropped
  // (a file without its title line, say, gives every individual one genotype too many).
  void ReadGenotypes(Document& doc, std::string_view text, int line) {
    Tokens tokens(text);
    for (; nextLocus_ <= loci_; ++nextLocus_) {
      const std::string_view token = tokens.Next();
      if (token.empty()) return;
      doc.Cells.SetCell(nextLocus_ + 1, row_, Genotype(token, line));
    }
    if (const std::string_view extra = tokens.Next(); !extra.empty())
      in_.FailAt(line, TextAfterGenotypes(extra, row_ - 1, loci_));
  }

  std::string Genotype(std::string_view token, int line) {
    const std::string_view digits = DigitsOf(token);
    if (digits.empty()) in_.FailAt(line, "génotype attendu, trouvé " + QuotedText(token) + ".");
    if (digits.size() > kMostDigits) in_.FailAt(line, WidthRefusal(digits, 0));
    // Zeros alone are missing in every width and tell none ("0000" in a six-digit file).
    const bool zeros = digits.find_first_not_of('0') == std::string_view::npos;
    if (!zeros && (digits.size() == 4 || digits.size() == 6)) {
      WidthSeen& seen = digits.size() == 4 ? four_ : six_;
      if (seen.count++ == 0) seen.first = {nextLocus_ + 1, row_, line, digits};
    }
    if (!zeros) {
      if (digits.size() > kMostShortDigits) {
        longSeen_ = true;
      } else if (firstShort_.line == 0) {
        firstShort_ = {nextLocus_ + 1, row_, line, digits};
      }
    }
    // What reads alike without a width reads alike in every width.
    if (const std::optional<AllelePair> a = SplitGenepopGenotype(digits, 0))
      return MakeGenotypeCode(a->a1, a->a2);
    widthPending_.push_back({nextLocus_ + 1, row_, line, digits});
    return {};
  }

  // What comes after an individual's genotypes.
  enum class Next { Individual, PopLine, End };

  // An individual whose genotypes stop short is refused at its own line; the message says what
  // came instead, on line `line`.
  void RequireGenotypesDone(const Document& doc, Next next, int line) const {
    const int due = GenotypesDue();
    if (due <= 0) return;
    const std::string there = "la ligne " + std::to_string(line);
    const std::string came = next == Next::End       ? "le fichier se termine"
                             : next == Next::PopLine ? there + " est une ligne POP"
                                                     : there + " commence un autre individu";
    const int read = loci_ - due;
    const std::string got = read == 0   ? "n'a aucun génotype"
                            : read == 1 ? "n'a que 1 génotype"
                                        : "n'a que " + std::to_string(read) + " génotypes";
    const std::string expected = loci_ == 1 ? "1 attendu" : std::to_string(loci_) + " attendus";
    in_.FailAt(startLine_, "l'individu " + std::to_string(row_ - 1) + " " +
                               QuotedText(TrimControls(doc.Cells.Cells(1, row_))) +
                               ", qui commence à cette ligne, " + got + " sur " + expected +
                               " (un par locus) : " + came + ".");
  }

  void FillWidthPending(Document& doc) const {
    // Both lengths: the fewer lost leading zeros or gained some, and which is not to be guessed.
    if (four_.count > 0 && six_.count > 0) {
      const bool fourOdd =
          four_.count != six_.count ? four_.count < six_.count : four_.first.line > six_.first.line;
      const WidthPending& odd = fourOdd ? four_.first : six_.first;
      in_.FailAt(odd.line, "génotype de " + Digits(odd.digits.size()) + " " +
                               QuotedText(odd.digits) + " parmi des génotypes de " +
                               Digits(fourOdd ? 6 : 4) + " : des zéros perdus ne se devinent pas.");
    }
    // One allele per genotype, or two whose leading zeros were all lost: either way no genotype
    // can be read as two alleles, and a short number read so would keep one allele, then lose it
    // at Save. Zeros alone are missing in every reading.
    if (firstShort_.line != 0 && !longSeen_) {
      in_.FailAt(firstShort_.line,
                 "génotype de " + Digits(firstShort_.digits.size()) + " " +
                     QuotedText(firstShort_.digits) +
                     " : aucun génotype de ce fichier n'a plus de " + Digits(kMostShortDigits) +
                     " (données haploïdes, ou zéros de tête tous perdus ?) : un génotype s'écrit "
                     "avec ses deux allèles, en 4 ou 6 chiffres.");
    }
    const int width = four_.count > 0 ? 4 : six_.count > 0 ? 6 : 0;
    for (const WidthPending& p : widthPending_) {
      const std::optional<AllelePair> a = SplitGenepopGenotype(p.digits, width);
      if (!a) in_.FailAt(p.line, WidthRefusal(p.digits, width));
      doc.Cells.SetCell(p.col, p.row, MakeGenotypeCode(a->a1, a->a2));
    }
  }

  TextReader& in_;
  int loci_ = 0;
  int indexInPop_ = 0;
  // The last individual read: its row (0 before the first), the line it starts on and the
  // locus of its next genotype.
  int row_ = 0;
  int startLine_ = 0;
  int nextLocus_ = 1;
  // The four- and six-digit genotypes: how many, and the first.
  struct WidthSeen {
    std::size_t count = 0;
    WidthPending first;
  };
  WidthSeen four_, six_;
  // Whether a genotype other than zeros has more than three digits, and the first one that has
  // three or fewer.
  bool longSeen_ = false;
  WidthPending firstShort_;
  std::vector<WidthPending> widthPending_;
};

Document ReadGenepop(std::string bytes, const std::string& name, ImportWarnings* warnings) {
  TextReader in(TextBeforeEndOfFileMark(ImportedText(std::move(bytes), name, warnings), name),
                name);
  return GenepopReader(in).Read(warnings);
}

}  // namespace

bool IsPopLine(std::string_view text) {
  const std::string_view t = TrimControls(text);
  if (t.size() != 3) return false;
  auto upper = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; };
  return upper(t[0]) == 'P' && upper(t[1]) == 'O' && upper(t[2]) == 'P';
}

std::optional<AllelePair> SplitGenepopGenotype(std::string_view token, int width) {
  const std::string_view digits = DigitsOf(token);
  if (digits.empty() || digits.size() > kMostDigits) return {};
  std::uint32_t g = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), g);
  const std::size_t n = digits.size();
  if (n == 4 || n == 6) return Padded(g, n);
  if (width == 4 || width == 6) {
    if (n > std::size_t(width)) return {};
    return Padded(g, std::size_t(width));
  }
  if (n < 4 && SameAlleles(Padded(g, 4), Padded(g, 6))) return Padded(g, 4);
  return {};
}

Document ImportGenepopFile(std::istream& in, const std::string& name, ImportWarnings* warnings) {
  return ReadGenepop(ReadStreamBytes(in, name), name, warnings);
}

Document ImportGenepopFile(const std::string& FileName, ImportWarnings* warnings) {
  return ReadGenepop(ReadFileBytes(FileName), FileName, warnings);
}

}  // namespace relakin
