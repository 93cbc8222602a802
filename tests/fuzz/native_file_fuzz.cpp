// Feeds the native file reader. Any input must read or fail with a typed error; a table that
// reads must write, and what it writes must read back and write again unchanged, but for the line
// end after the last individual (written only when empty rows follow it in the grid).
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/errors.h"
#include "core/native_file.h"
#include "fuzz/fuzz_check.h"

namespace {

std::string Rewrite(const std::string& text) {
  relakin::Document doc = relakin::ReadNativeText(text, "fuzz.bvt");
  relakin::SilentMessages quiet;
  std::string written = relakin::NativeFileText(doc, quiet);
  if (written.ends_with("\r\n")) written.resize(written.size() - 2);
  return written;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string written;
  try {
    written = Rewrite(std::string(reinterpret_cast<const char*>(data), size));
  } catch (const relakin::Error&) {
    return 0;
  }
  std::string again;
  try {
    again = Rewrite(written);
  } catch (const relakin::Error& e) {
    std::fprintf(stderr, "%s\n", e.what());
    fuzzing::Check(false, "a written table reads back");
  }
  fuzzing::Check(again == written, "a written table reads back and writes the same bytes");
  return 0;
}
