// libFuzzer target: the older .don/.mod pair reader. The input is the data file, a NUL byte, then
// the locus file (no NUL: an empty locus file). Typed errors are the expected refusals.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "core/errors.h"
#include "formats/older_pair_import.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  const std::size_t nul = input.find('\0');
  std::istringstream don(input.substr(0, nul));
  std::istringstream mod(nul == std::string::npos ? std::string() : input.substr(nul + 1));
  try {
    relakin::ImportWarnings warnings;
    fuzzing::CheckImported(relakin::ReadModDonPair(don, mod, "fuzz.don", &warnings), warnings,
                           {"fuzz.don", "fuzz.mod"});
  } catch (const relakin::Error&) {
  }
  return 0;
}
