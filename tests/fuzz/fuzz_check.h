// What the fuzzing programs need besides the reader they feed: a check that stops the run with a
// message when a property of the reader does not hold (libFuzzer then keeps the input).
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace fuzzing {

inline void Check(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", what);
  std::abort();
}

// What an import reader returns: a table with an individual and a locus, and warnings that each
// name the file first.
template <typename Table>
void CheckImported(const Table& doc, const std::vector<std::string>& warnings, const char* file) {
  Check(doc.Cells.RowCount() > 2 && doc.Cells.ColCount() > 2, "a table without data was read");
  const std::string where = std::string(file) + " : ";
  for (const std::string& w : warnings)
    Check(w.compare(0, where.size(), where) == 0 && w.size() > where.size(),
          "a warning that does not name its file");
}

}  // namespace fuzzing
