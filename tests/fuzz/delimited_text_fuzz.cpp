// libFuzzer target: the delimited-text reader and the preview rows. Byte 1 chooses the digits
// (1 to 3) and the three boxes, byte 2 the separator (0: none); the rest is the file. Typed
// errors are the expected refusals.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "core/errors.h"
#include "formats/delimited_preview.h"
#include "formats/delimited_text_import.h"
#include "fuzz/fuzz_check.h"

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
  relakin::PreviewDelimitedText(text, options.Separator, flags & 3);
  std::istringstream in(text);
  try {
    relakin::ImportWarnings warnings;
    fuzzing::CheckImported(relakin::ReadDelimitedText(in, options, "fuzz.txt", &warnings), warnings,
                           {"fuzz.txt"});
  } catch (const relakin::Error&) {
  }
  return 0;
}
