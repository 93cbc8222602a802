#include "core/grid_moves.h"

#include <algorithm>
#include <string>
#include <utility>

#include "core/population_table.h"

namespace relakin {

namespace {

// Through copies: a reference into a row may move when another cell of the row is stored.
void SwapCells(GenotypeTable& t, int c1, int r1, int c2, int r2) {
  std::string first = std::as_const(t).Cells(c1, r1);
  t.SetCell(c1, r1, std::as_const(t).Cells(c2, r2));
  t.SetCell(c2, r2, std::move(first));
}

void SwapColumns(GenotypeTable& t, int a, int b) {
  for (int r = 0; r < t.RowCount(); ++r) SwapCells(t, a, r, b, r);
}

void SwapRows(GenotypeTable& t, int a, int b) {
  for (int c = 0; c < t.ColCount(); ++c) SwapCells(t, c, a, c, b);
}

}  // namespace

void MoveColumnAndFix(Document& doc, int from, int to) {
  GenotypeTable& t = doc.Cells;
  t.MoveColumn(from, to);
  if (from == to) return;
  if (to == 1) {
    SwapColumns(t, 1, 2);
    RewriteHeadings(doc, 2, from);
  } else if (from == 1) {
    SwapColumns(t, 1, to);
    RewriteHeadings(doc, 2, to);
    t.SetCell(1, 0, "");
  } else {
    RewriteHeadings(doc, std::min(from, to), std::max(from, to));
  }
}

void MoveRowAndFix(Document& doc, int from, int to) {
  GenotypeTable& t = doc.Cells;
  t.MoveRow(from, to);
  if (from != to) {
    if (to == 1) SwapRows(t, 1, 2);
    if (from == 1) SwapRows(t, to, 1);
  }
  const int landed = to == 1 ? 2 : to;
  const int left = from == 1 ? 2 : from;
  if (landed != left) {
    if (landed == 2 && t.RowCount() > 3) t.SetCell(0, 3, "indiv");
    if (HasPopMarker(t.Cells(0, landed))) {
      t.SetCell(0, left, "Pop");
      t.SetCell(0, landed, "  Ind");
    }
  }
  RenumberRows(doc);
}

}  // namespace relakin
