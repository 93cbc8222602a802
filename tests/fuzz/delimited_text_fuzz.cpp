// libFuzzer target: the delimited-text reader and the preview rows. Byte 1 chooses the digits
// (1 to 3) and the three boxes, byte 2 the separator (0: none); the rest is the file. Typed
// errors are the expected refusals; a table read goes through the exports and back.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "core/errors.h"
#include "formats/delimited_preview.h"
#include "formats/delimited_text_import.h"
#include "fuzz/export_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const std::uint8_t flags = data[0];
  relakin::DelimitedTextOptions options;
  options.Digits = static_cast<std::uint8_t>(1 + flags % 3);
  options.FirstLineLoci = (flags & 0x10) != 0;
  options.IndividualColumn = (flags & 0x20) != 0;
  options.PopulationColumn = (flags & 0x40) != 0;
  if (data[1] != 0) options.Separator = std::string(1, static_cast<char>(data[1]));
  const std::string text(reinterpret_cast<const char*>(data) + 2, size - 2);
  const relakin::PreviewRows preview =
      relakin::PreviewDelimitedText(text, options.Separator, flags & 3);
  std::istringstream in(text);
  relakin::ImportWarnings warnings;
  relakin::Document doc;
  try {
    doc = relakin::ReadDelimitedText(in, options, "fuzz.txt", &warnings);
  } catch (const relakin::Error& e) {
    fuzzing::CheckMessage(e.what());
    return 0;
  }
  fuzzing::CheckImported(doc, warnings, {"fuzz.txt"});
  // A file that reads had no Ctrl-Z but the one that ends it, which the preview shows no more.
  for (const auto& row : preview) {
    for (const std::string& cell : row)
      fuzzing::Check(cell.find('\x1a') == std::string::npos, "a Ctrl-Z in the preview");
  }
  fuzzing::CheckReadTable(doc, warnings);
  return 0;
}
