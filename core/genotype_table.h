// The genotype table: a grid of text cells addressed as Cells(column, row).
//
// Row 0 holds the locus headings, row 1 the locus names, each further row one individual;
// column 0 holds the row label, column 1 the individual's name, each further column one locus.
// Texts are single-byte Windows-1252, as the files hold them. This is the only copy of the data:
// readers fill it, editing commands change it in place, writers read it.
//
// A row stores its cells only up to its last written one: the empty cells after it cost
// nothing, so a table of many empty rows and columns (what a file declares but does not hold)
// stays as small as its text. Reading an empty cell never allocates; the non-const Cells()
// stores the cells up to the one it returns.
#pragma once

#include <string>
#include <vector>

namespace relakin {

class GenotypeTable {
 public:
  GenotypeTable() = default;
  GenotypeTable(int colCount, int rowCount) { Resize(colCount, rowCount); }

  int ColCount() const { return colCount_; }
  int RowCount() const { return static_cast<int>(rows_.size()); }
  // Growing adds empty cells; shrinking drops the last columns or rows.
  void SetColCount(int n);
  void SetRowCount(int n);
  void Resize(int colCount, int rowCount);

  // Precondition: 0 <= col < ColCount(), 0 <= row < RowCount().
  const std::string& Cells(int col, int row) const {
    const std::vector<std::string>& r = rows_[row];
    return static_cast<std::size_t>(col) < r.size() ? r[col] : kEmpty;
  }
  std::string& Cells(int col, int row);
  void SetCell(int col, int row, std::string text);

  // Whole-row and whole-column operations, the way a string grid does them: the texts move,
  // nothing is renumbered (callers rewrite labels and headings).
  void InsertRow(int at);          // an empty row at `at`; later rows move down
  void DeleteRow(int row);         // later rows move up
  void MoveRow(int from, int to);  // the row at `from` ends at `to`; rows between shift by one
  void InsertColumn(int at);
  void DeleteColumn(int col);
  void MoveColumn(int from, int to);

  // Same size and same texts, however the cells are stored.
  bool operator==(const GenotypeTable& other) const;

 private:
  static const std::string kEmpty;

  int colCount_ = 0;
  std::vector<std::vector<std::string>> rows_;  // rows_[row][col], col < rows_[row].size()
};

}  // namespace relakin
