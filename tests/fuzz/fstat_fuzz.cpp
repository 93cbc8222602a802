// libFuzzer target: the FSTAT reader on any bytes. Typed errors are the expected refusals.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "core/errors.h"
#include "formats/fstat_import.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  try {
    relakin::ImportWarnings warnings;
    fuzzing::CheckImported(relakin::ReadFstatFile(in, "fuzz.dat", &warnings), warnings,
                           {"fuzz.dat"});
  } catch (const relakin::Error&) {
  }
  return 0;
}
