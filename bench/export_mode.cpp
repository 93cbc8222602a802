// relakin-bench export: reads a native file and writes it through the Tools > Conversion
// writer of the chosen format, for timing the writers on large tables and for scripts.
//
//   relakin-bench export --format genepop|fstat|biosys IN.bvt OUT
//
// The writer's messages go to standard error, the figures to standard output. Exit code 0 when
// the file was written, 1 when reading or writing failed, 2 for a bad command line.
#include <chrono>
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "bench/bench_modes.h"
#include "core/messages.h"
#include "core/native_file.h"
#include "formats/exports.h"

namespace relakin::bench {
namespace {

class StderrMessages : public Messages {
 public:
  void Show(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
  void Information(const std::string& text) override { Show(text); }
};

struct ExportRequest {
  ExportFormat format = ExportFormat::Genepop;
  std::string formatName, in, out;
};

std::optional<ExportRequest> ParseExport(const std::vector<std::string>& args) {
  ExportRequest r;
  std::vector<std::string> files;
  bool formatGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--format" && i + 1 < args.size()) {
      r.formatName = args[++i];
      const std::optional<ExportFormat> format = ExportFormatNamed(r.formatName);
      if (!format) return std::nullopt;
      r.format = *format;
      formatGiven = true;
    } else if (args[i].size() > 1 && args[i][0] == '-') {
      return std::nullopt;
    } else {
      files.push_back(args[i]);
    }
  }
  if (!formatGiven || files.size() != 2) return std::nullopt;
  r.in = files[0];
  r.out = files[1];
  return r;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

const char* ExportUsage() {
  return "usage: relakin-bench export --format genepop|fstat|biosys IN.bvt OUT\n";
}

int RunExportCommand(const std::vector<std::string>& args) {
  const std::optional<ExportRequest> r = ParseExport(args);
  if (!r) {
    std::fprintf(stderr, "relakin-bench: export: bad command line\n%s", ExportUsage());
    return 2;
  }
  try {
    StderrMessages messages;
    const auto readStart = std::chrono::steady_clock::now();
    Document doc = ReadNativeFile(r->in);
    doc.CurrentFileName = r->in;
    const double readSeconds = SecondsSince(readStart);
    const auto start = std::chrono::steady_clock::now();
    Export(r->format, doc, r->out, messages);
    const double seconds = SecondsSince(start);
    std::printf("mode export, format %s, %d rows, %d locus columns, %d populations\n",
                r->formatName.c_str(), doc.Cells.RowCount() - 2, doc.Cells.ColCount() - 2,
                static_cast<int>(doc.NbPops));
    std::printf("read seconds: %.6f\n", readSeconds);
    std::printf("elapsed seconds: %.6f\n", seconds);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "relakin-bench: %s\n", e.what());
    return 1;
  }
  return 0;
}

}  // namespace relakin::bench
