#include "core/new_table.h"

#include <algorithm>
#include <string>
#include <utility>

namespace relakin {

// A fresh table with the old labels: the time goes with the rows, not with rows x columns.
void ClearTable(GenotypeTable& cells) {
  GenotypeTable cleared(cells.ColCount(), cells.RowCount());
  for (int row = 0; row < cells.RowCount(); ++row)
    cleared.SetCell(0, row, std::as_const(cells).Cells(0, row));
  cells = std::move(cleared);
}

void MakeNewTable(Document& doc, int individuals, int loci) {
  GenotypeTable& cells = doc.Cells;
  cells.Resize(loci + 2, individuals + 2);
  doc.NbPops = 1;
  for (int c = 2; c < cells.ColCount(); ++c) cells.SetCell(c, 0, "Loc." + std::to_string(c - 1));
  for (int r = 2; r < cells.RowCount(); ++r) {
    cells.SetCell(0, r, "      Ind" + std::to_string(r - 1));
  }
  cells.SetCell(0, 2, "Pop Ind1");
  doc.SetPopFirstRow(1, 2);
}

void AdoptReadTable(Document& doc, Document&& read) {
  doc.Cells = std::move(read.Cells);
  doc.NbPops = read.NbPops;
  doc.PopNames = std::move(read.PopNames);
  // Entries above NbPops keep their old values: the table only grows.
  if (doc.PopFirstRow.size() < read.PopFirstRow.size()) {
    doc.PopFirstRow.resize(read.PopFirstRow.size(), 0);
  }
  std::copy(read.PopFirstRow.begin(), read.PopFirstRow.end(), doc.PopFirstRow.begin());
}

}  // namespace relakin
