// The fuzzing programs' checks on a table a reader returned and on what it says: the table goes
// through the GENEPOP and FSTAT exports and reads back with the same loci, populations and
// genotypes (alleles renumbered), and no message shows a character the user could not find.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "core/document.h"
#include "core/errors.h"
#include "formats/export_round_trip.h"
#include "fuzz/fuzz_check.h"

namespace fuzzing {

// Control characters are named in messages ("[TAB]", "[Ctrl-Z]"), never left raw or shown as a
// replacement sign.
inline void CheckMessage(std::string_view text) {
  for (const char c : text)
    Check(static_cast<unsigned char>(c) >= ' ', "a control character in a message");
  Check(text.find("\uFFFD") == std::string_view::npos, "a replacement sign in a message");
}

inline relakin::Document ReadBack(relakin::ExportFormat format, const relakin::Document& doc) {
  relakin::RecordedMessages said;
  try {
    return relakin::test::ExportedAndReadBack(format, doc, said);
  } catch (const relakin::Error& e) {
    std::fprintf(stderr, "%s\n", e.what());
    Check(false, "an export that does not read back");
  }
  return {};
}

// What a reader returned and said, `doc` read without an error.
inline void CheckReadTable(const relakin::Document& doc,
                           const std::vector<std::string>& warnings) {
  for (const std::string& w : warnings) CheckMessage(w);
  const std::vector<std::string> ranked = relakin::test::RankedCells(doc);
  for (const auto format : {relakin::ExportFormat::Genepop, relakin::ExportFormat::Fstat}) {
    const relakin::Document back = ReadBack(format, doc);
    Check(back.Cells.ColCount() == doc.Cells.ColCount(), "an export read back with other loci");
    Check(back.NbPops == doc.NbPops, "an export read back with other populations");
    for (std::size_t p = 1; p <= doc.NbPops; ++p)
      Check(back.PopFirstRow[p] == doc.PopFirstRow[p], "an export read back with other populations");
    Check(relakin::test::GenotypeCells(back) == ranked, "an export read back with other genotypes");
  }
}

}  // namespace fuzzing
