// The text of the relatedness result file and of its scratch file "ttt.ttt".
//
// Result file (Windows-1252, CR LF): "Data File name  : " + DataTitle; NbLoci + " Loci"; the
// population count read + " Population(s) grouped"; the estimator heading (eight lines for the
// identity index, one otherwise); an empty line; the column line; one row per individual; the
// column line; an empty line; the D heading; NbInd; then the D block (column line, rows, column
// line) copied from the scratch file. Every value takes w = Precision + 2 characters with
// Precision decimals; a column is a blank and a field. Row i: i in 10 characters, i * (w + 1)
// blanks, then one cell per j > i. A NotComputed pair shows "999" in both blocks.
#pragma once

#include <cstdint>
#include <string>

#include "analysis/fixed_format.h"
#include "analysis/run_data.h"
#include "analysis/text_row.h"

namespace relakin {

// Items 1 to 4, each line ended; `data` as read (NbPopGrouped still the file's count).
std::string RelatednessHeader(const AnalysisData& data, int Estimator);

// "Valeurs de D=1-I par paire d'individus : (999 = calcul non fait !)"
extern const char kDistanceHeading[];

class RelatednessRows {
 public:
  RelatednessRows(std::uint16_t NbInd, std::uint16_t Precision);

  // Ten blanks, then for each j a blank and j right-justified in w; no line end.
  std::string ColumnLine() const;
  // Bytes of one row, short of the cells that widen their field: a bound for chunk sizes.
  std::size_t RowBytes() const;
  // Appends row i's number and leading blanks to each.
  void Begin(std::uint16_t i, TextRow& values, TextRow& distances) const;
  // The cells of `count` pairs in a row: each v (or 999) into values, 1 - v (or 999) into
  // distances.
  void Cells(const double* v, std::size_t count, TextRow& values, TextRow& distances) const;
  // Ends row i in both when it held a cell (i < NbInd); the last row is ended by the closing.
  void End(std::uint16_t i, TextRow& values, TextRow& distances) const;

 private:
  // A cell that the in-place writer leaves to the general formatter.
  void WideField(double v, TextRow& row) const;

  std::uint16_t nb_ind_;
  int decimals_;
  int width_;
  FixedCells cells_;
  std::string not_computed_;  // the cell of a pair not computed
};

}  // namespace relakin
