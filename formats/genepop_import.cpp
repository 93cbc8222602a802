// Reading a GENEPOP file: the locus list line by line, then each population character by
// character where names and POP lines are cut, and number by number for the genotypes.
#include "formats/genepop_import.h"

#include <charconv>
#include <vector>

#include "core/errors.h"
#include "core/file_bytes.h"
#include "core/quoted_text.h"
#include "core/text_reader.h"
#include "formats/import_table.h"

namespace relakin {
namespace {

constexpr char kCtrlZ = 26;

bool IsBlankChar(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view TrimControls(std::string_view s) {
  while (!s.empty() && IsBlankChar(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlankChar(s.back())) s.remove_suffix(1);
  return s;
}

// The text read since the last individual or POP line, with what the POP-line test needs kept
// up to date, so that testing it at every line end costs nothing however long the text grows.
class PendingText {
 public:
  void Append(char c) {
    if (!IsBlankChar(c)) {
      if (nonBlank_ == 0) first_ = text_.size();
      last_ = text_.size();
      ++nonBlank_;
    }
    text_ += c;
  }
  bool IsPop() const {
    return nonBlank_ == 3 && last_ - first_ == 2 &&
           IsPopLine(std::string_view(text_).substr(first_, 3));
  }
  const std::string& Text() const { return text_; }
  void Clear() { *this = PendingText(); }

 private:
  std::string text_;
  std::size_t nonBlank_ = 0, first_ = 0, last_ = 0;
};

// How the name loop stopped.
enum class Stop { Comma, PopLineEnd, End };

class GenepopReader {
 public:
  explicit GenepopReader(TextReader& in) : in_(in) {}

  Document Read() {
    const std::vector<std::string> names = ReadGenepopLoci();
    ImportTable table(static_cast<std::uint16_t>(names.size()), in_.Name());
    for (std::size_t l = 0; l < names.size(); ++l)
      table.Doc().Cells.SetCell(int(l) + 2, 1, names[l]);
    loci_ = static_cast<int>(names.size());
    while (!in_.AtEof()) ReadGenepopPopulation(table);
    return table.Take();
  }

 private:
  // The title is skipped; every line up to the first POP line names one locus, or several
  // when it holds commas.
  std::vector<std::string> ReadGenepopLoci() {
    in_.SkipLine();
    std::vector<std::string> names;
    while (!in_.AtEof()) {
      const std::string line = in_.ReadLine();
      if (IsPopLine(line)) break;
      AddLocusNames(line, names);
      if (names.size() > UINT16_MAX)
        throw Error(ErrorKind::Capacity,
                    WhereInFile(in_.Name(), in_.Line()) + "trop de locus (65535 au plus).",
                    in_.Line());
    }
    return names;
  }

  static void AddLocusNames(std::string_view line, std::vector<std::string>& names) {
    if (line.find(',') == std::string_view::npos) {
      names.emplace_back(line);
      return;
    }
    // "loc1, loc2, loc3": one locus each, trimmed; a comma at the end adds none.
    while (true) {
      const std::size_t comma = line.find(',');
      const std::string_view name = TrimControls(line.substr(0, comma));
      if (comma == std::string_view::npos) {
        if (!name.empty()) names.emplace_back(name);
        return;
      }
      names.emplace_back(name);
      line.remove_prefix(comma + 1);
    }
  }

  // Individuals up to the next POP line or the end of the file.
  void ReadGenepopPopulation(ImportTable& table) {
    int indexInPop = 0;
    while (true) {
      PendingText name;
      const Stop stop = ReadName(name);
      if (stop == Stop::End) return;
      if (stop == Stop::Comma && !name.IsPop()) {
        ReadGenepopIndividual(table, indexInPop++, name.Text());
      }
      if (stop != Stop::PopLineEnd) in_.SkipLine();
      if (name.IsPop()) return;
    }
  }

  // Characters up to a comma, the line end of a POP line or the end of the file. Line ends
  // never enter the name; the line end of a POP line is taken whole.
  Stop ReadName(PendingText& name) {
    while (!in_.AtEof()) {
      const char c = in_.ReadChar();
      if (c == ',') return Stop::Comma;
      if (c == '\r' || c == '\n') {
        if (name.IsPop()) {
          if (c == '\r' && !in_.AtEof() && in_.Peek() == '\n') in_.ReadChar();
          return Stop::PopLineEnd;
        }
        continue;
      }
      name.Append(c);
    }
    return Stop::End;
  }

  void ReadGenepopIndividual(ImportTable& table, int indexInPop, const std::string& name) {
    const int row = table.AddIndividual(indexInPop == 0, in_.Line());
    Document& doc = table.Doc();
    doc.SetPopName(doc.NbPops, name);
    doc.Cells.SetCell(1, row, name);
    for (int l = 1; l <= loci_; ++l) doc.Cells.SetCell(l + 1, row, ReadGenotype(row - 1, l));
  }

  std::string ReadGenotype(int k, int l) {
    in_.RequireToken("le génotype du locus " + std::to_string(l) + " de l'individu " +
                     std::to_string(k));
    const std::string_view token = in_.NextToken();
    const std::optional<AllelePair> a = SplitGenepopGenotype(token);
    if (!a) in_.Fail("génotype attendu, trouvé " + QuotedText(token) + ".");
    return MakeGenotypeCode(a->a1, a->a2);
  }

  TextReader& in_;
  int loci_ = 0;
};

// Text after a Ctrl-Z does not belong to the file.
std::string UpToCtrlZ(std::string text) {
  if (const std::size_t z = text.find(kCtrlZ); z != std::string::npos) text.resize(z);
  return text;
}

Document ReadGenepop(std::string bytes, const std::string& name, ImportWarnings* warnings) {
  TextReader in(UpToCtrlZ(ImportedText(std::move(bytes), name, warnings)), name);
  return GenepopReader(in).Read();
}

}  // namespace

bool IsPopLine(std::string_view text) {
  const std::string_view t = TrimControls(text);
  if (t.size() != 3) return false;
  auto upper = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; };
  return upper(t[0]) == 'P' && upper(t[1]) == 'O' && upper(t[2]) == 'P';
}

std::optional<AllelePair> SplitGenepopGenotype(std::string_view token) {
  const std::string_view digits = DigitsOf(token);
  std::uint64_t g = 0;
  const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), g);
  if (digits.empty() || ec != std::errc() || ptr != digits.data() + digits.size()) return {};
  if (digits.size() == 6) return AllelePair{std::uint16_t(g / 1000), std::uint16_t(g % 1000)};
  if (digits.size() == 4) return AllelePair{std::uint16_t(g / 100), std::uint16_t(g % 100)};
  if (g / 100 > UINT16_MAX) return {};
  if (g / 100 > 1000) return AllelePair{std::uint16_t(g / 1000), std::uint16_t(g % 1000)};
  return AllelePair{std::uint16_t(g / 100), std::uint16_t(g % 100)};
}

Document ImportGenepopFile(std::istream& in, const std::string& name, ImportWarnings* warnings) {
  return ReadGenepop(ReadStreamBytes(in, name), name, warnings);
}

Document ImportGenepopFile(const std::string& FileName, ImportWarnings* warnings) {
  return ReadGenepop(ReadFileBytes(FileName), FileName, warnings);
}

}  // namespace relakin
