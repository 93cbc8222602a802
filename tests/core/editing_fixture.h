// Small tables for the editing tests: individual k on row k + 1 is named "i<k>", locus column c
// holds the locus name "L<c-1>" and the genotype "g<c-1>.<k>", populations start at the given
// rows with the given names.
#pragma once

#include <string>
#include <vector>

#include "core/document.h"
#include "core/population_table.h"

namespace relakin::testing {

inline std::string Numbered(std::string prefix, int n) { return prefix.append(std::to_string(n)); }

inline Document MakeTable(int individuals, int loci, const std::vector<int>& starts,
                          const std::vector<std::string>& names = {}) {
  Document doc;
  doc.Cells.Resize(loci + 2, individuals + 2);
  for (int c = 2; c < loci + 2; ++c) {
    doc.Cells.SetCell(c, 0, LocusHeading(c));
    doc.Cells.SetCell(c, 1, Numbered("L", c - 1));
  }
  for (int r = 2; r < individuals + 2; ++r) {
    doc.Cells.SetCell(0, r, IndividualLabel(r));
    doc.Cells.SetCell(1, r, Numbered("i", r - 1));
    for (int c = 2; c < loci + 2; ++c)
      doc.Cells.SetCell(c, r, Numbered(Numbered("g", c - 1) + ".", r - 1));
  }
  for (int r : starts) doc.Cells.SetCell(0, r, PopStartLabel(r));
  RenumberRows(doc);
  for (std::size_t p = 0; p < names.size(); ++p) doc.SetPopName(p + 1, names[p]);
  return doc;
}

inline std::vector<int> Starts(const Document& doc) {
  return {doc.PopFirstRow.begin() + 1, doc.PopFirstRow.begin() + 1 + doc.NbPops};
}

inline std::vector<std::string> Names(const Document& doc) {
  std::vector<std::string> names;
  for (std::size_t p = 1; p <= doc.NbPops; ++p) names.push_back(PopNameOf(doc, p));
  return names;
}

// Column col of rows first .. RowCount - 1.
inline std::vector<std::string> Column(const Document& doc, int col, int first = 2) {
  std::vector<std::string> cells;
  for (int r = first; r < doc.Cells.RowCount(); ++r) cells.push_back(doc.Cells.Cells(col, r));
  return cells;
}

// Row row of columns first .. ColCount - 1.
inline std::vector<std::string> Row(const Document& doc, int row, int first = 2) {
  std::vector<std::string> cells;
  for (int c = first; c < doc.Cells.ColCount(); ++c) cells.push_back(doc.Cells.Cells(c, row));
  return cells;
}

}  // namespace relakin::testing
