// relakin-bench import: reads FILE through the reader File > Open or File > Import uses and
// writes the table with SaveNativeFile, for timing the readers on large files and for scripts.
//
//   relakin-bench import --format native|older|fstat|genepop|text [--separator tab|space|CHAR]
//                        [--digits 1|2|3] [--no-locus-line] [--no-pop-column] [--no-ind-column]
//                        FILE OUT.bvt
//
// older: FILE is the data file; its locus file is FILE with the last three characters replaced
// by "mod". The text options go with --format text only (defaults: tab, 2 digits, locus line,
// population and individual columns). Errors go to standard error with exit status 1 (2 for a
// wrong command line).
#include <chrono>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/bench_modes.h"
#include "bench/printed_messages.h"
#include "core/native_file.h"
#include "formats/import_file.h"

namespace relakin::bench {
namespace {

struct ImportOptions {
  std::string format;
  DelimitedTextOptions text{"\t", true, true, true, 2};
  bool textOptionGiven = false;
  std::string file, out;
};

ImportOptions ParseImportOptions(const std::vector<std::string>& args) {
  ImportOptions o;
  std::vector<std::string> positional;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw std::invalid_argument(a + ": missing value");
      return args[++i];
    };
    const bool textOption = a == "--separator" || a == "--digits" || a == "--no-locus-line" ||
                            a == "--no-pop-column" || a == "--no-ind-column";
    o.textOptionGiven |= textOption;
    if (a == "--format") {
      o.format = value();
    } else if (a == "--separator") {
      const std::string& s = value();
      o.text.Separator = s == "tab" ? "\t" : s == "space" ? " " : s;
      if (o.text.Separator.size() != 1)
        throw std::invalid_argument("--separator: tab, space or one character");
    } else if (a == "--digits") {
      const std::string& d = value();
      if (d != "1" && d != "2" && d != "3") throw std::invalid_argument("--digits: 1, 2 or 3");
      o.text.Digits = static_cast<std::uint8_t>(d[0] - '0');
    } else if (a == "--no-locus-line") {
      o.text.FirstLineLoci = false;
    } else if (a == "--no-pop-column") {
      o.text.PopulationColumn = false;
    } else if (a == "--no-ind-column") {
      o.text.IndividualColumn = false;
    } else if (a.size() > 1 && a[0] == '-') {
      throw std::invalid_argument("unknown option " + a);
    } else {
      positional.push_back(a);
    }
  }
  static const char* const kFormats[] = {"native", "older", "fstat", "genepop", "text"};
  bool known = false;
  for (const char* f : kFormats) known |= o.format == f;
  if (!known) throw std::invalid_argument("--format: native, older, fstat, genepop or text");
  if (o.textOptionGiven && o.format != "text")
    throw std::invalid_argument("--separator, --digits and --no-*: with --format text only");
  if (positional.size() != 2) throw std::invalid_argument("expected FILE and OUT.bvt");
  o.file = positional[0];
  o.out = positional[1];
  return o;
}

Document Read(const ImportOptions& o, ImportWarnings& warnings) {
  if (o.format == "native") return ReadNativeFile(o.file);
  const ImportFormat format = o.format == "older"     ? ImportFormat::OlderPair
                              : o.format == "fstat"   ? ImportFormat::Fstat
                              : o.format == "genepop" ? ImportFormat::Genepop
                                                      : ImportFormat::DelimitedText;
  return ImportForeignFile(format, o.file, o.text, &warnings);
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

const char* ImportUsage() {
  return "usage: relakin-bench import --format native|older|fstat|genepop|text [options] FILE "
         "OUT.bvt\n"
         "  reads FILE (older: the .don, beside its .mod) and saves it as a native file\n"
         "  --separator tab|space|CHAR   text: the field separator (tab)\n"
         "  --digits 1|2|3               text: digits per allele (2)\n"
         "  --no-locus-line --no-pop-column --no-ind-column   text: what the file lacks\n";
}

int RunImportMode(const std::vector<std::string>& args) {
  ImportOptions o;
  try {
    o = ParseImportOptions(args);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "relakin-bench import: %s\n%s", e.what(), ImportUsage());
    return 2;
  }
  try {
    auto start = std::chrono::steady_clock::now();
    ImportWarnings warnings;
    Document doc = Read(o, warnings);
    const double readSeconds = SecondsSince(start);
    for (const std::string& w : warnings)
      std::fprintf(stderr, "relakin-bench import: %s\n", w.c_str());
    doc.CurrentFileName = o.out;  // line 1 names the file, as Save As does
    PrintedMessages messages;
    start = std::chrono::steady_clock::now();
    SaveNativeFile(doc, o.out, messages);
    std::printf("read %s: %d individuals, %d loci, %u populations in %.6f s\n", o.file.c_str(),
                doc.Cells.RowCount() - 2, doc.Cells.ColCount() - 2, unsigned{doc.NbPops},
                readSeconds);
    std::printf("wrote %s in %.6f s\n", o.out.c_str(), SecondsSince(start));
    PrintPeakMemory();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "relakin-bench import: %s\n", e.what());
    return 1;
  }
  return 0;
}

}  // namespace relakin::bench
