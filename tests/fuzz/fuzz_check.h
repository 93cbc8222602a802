// What the fuzzing programs need besides the reader they feed: a check that stops the run with a
// message when a property of the reader does not hold (libFuzzer then keeps the input).
#pragma once

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <vector>

namespace fuzzing {

inline void Check(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", what);
  std::abort();
}

// What an import reader returns: a table with an individual and a locus, and warnings that each
// name one of the files read first.
template <typename Table>
void CheckImported(const Table& doc, const std::vector<std::string>& warnings,
                   std::initializer_list<const char*> files) {
  Check(doc.Cells.RowCount() > 2 && doc.Cells.ColCount() > 2, "a table without data was read");
  for (const std::string& w : warnings) {
    bool named = false;
    for (const char* file : files) {
      const std::string where = std::string(file) + " : ";
      named |= w.compare(0, where.size(), where) == 0 && w.size() > where.size();
    }
    Check(named, "a warning that does not name its file");
  }
}

}  // namespace fuzzing
