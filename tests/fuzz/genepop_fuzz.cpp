// libFuzzer target: the GENEPOP reader on any bytes. Typed errors are the expected refusals; a
// table read goes through the exports and back.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "core/errors.h"
#include "formats/genepop_import.h"
#include "fuzz/export_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  relakin::ImportWarnings warnings;
  relakin::Document doc;
  try {
    doc = relakin::ImportGenepopFile(in, "fuzz.gen", &warnings);
  } catch (const relakin::Error& e) {
    fuzzing::CheckMessage(e.what());
    return 0;
  }
  fuzzing::CheckImported(doc, warnings, {"fuzz.gen"});
  fuzzing::CheckReadTable(doc, warnings);
  return 0;
}
