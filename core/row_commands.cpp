#include "core/row_commands.h"

#include <algorithm>
#include <string>

#include "core/errors.h"
#include "core/population_table.h"

namespace relakin {

int RowsRoom(const Document& doc) {
  return std::max(0, kMaxIndividuals - std::max(0, doc.Cells.RowCount() - 2));
}

int ColumnsRoom(const Document& doc) {
  return std::max(0, kMaxLoci - std::max(0, doc.Cells.ColCount() - 2));
}

void RequireRowsRoom(const Document& doc, int rows) {
  if (rows <= RowsRoom(doc)) return;
  throw Error(ErrorKind::Capacity, "Nombre d'individus max. autorisé dans le tableur " +
                                       std::to_string(kMaxIndividuals) + " individus !");
}

void RequireColumnsRoom(const Document& doc, int cols) {
  if (cols <= ColumnsRoom(doc)) return;
  throw Error(ErrorKind::Capacity, "Nombre de locus max. autorisé dans le tableur " +
                                       std::to_string(kMaxLoci) + " locus !");
}

bool InsertIndividualRow(Document& doc, int row) {
  GenotypeTable& t = doc.Cells;
  if (row < 2 || row >= t.RowCount()) return false;
  RequireRowsRoom(doc, 1);
  t.InsertRow(row);
  if (row == 2) {
    t.SetCell(0, 2, "Pop Ind1");
    t.SetCell(0, 3, "     Ind2");
  }
  RenumberRows(doc);
  return true;
}

bool DeleteIndividualRow(Document& doc, int row) {
  GenotypeTable& t = doc.Cells;
  if (row < 2 || row >= t.RowCount()) return false;
  const bool start = HasPopMarker(t.Cells(0, row));
  const bool onlyRow = start && (row + 1 >= t.RowCount() || HasPopMarker(t.Cells(0, row + 1)));
  if (onlyRow) DeletePopName(doc, FindPopOfStartRow(doc, row));
  t.DeleteRow(row);
  if (start && !onlyRow) t.SetCell(0, row, PopStartLabel(row));
  RenumberRows(doc);
  return true;
}

bool DeleteLocusColumn(Document& doc, int col) {
  GenotypeTable& t = doc.Cells;
  if (col < 2 || col >= t.ColCount()) return false;
  t.DeleteColumn(col);
  RewriteHeadings(doc, col, t.ColCount() - 1);
  return true;
}

void AddRowsAndColumns(Document& doc, int rows, int cols) {
  rows = std::max(0, rows);
  cols = std::max(0, cols);
  RequireRowsRoom(doc, rows);
  RequireColumnsRoom(doc, cols);
  GenotypeTable& t = doc.Cells;
  const int oldCols = t.ColCount();
  t.Resize(oldCols + cols, t.RowCount() + rows);
  RewriteHeadings(doc, oldCols, t.ColCount() - 1);
  RenumberRows(doc);
}

}  // namespace relakin
