// A read-only grid of texts addressed like the genotype table, cell(column, row), whose first
// rows and columns may be fixed (drawn in silver as headings). Used by the description window.
#pragma once

#include <QTableWidget>

namespace relakin {

class StringGrid : public QTableWidget {
  Q_OBJECT

 public:
  explicit StringGrid(QWidget* parent = nullptr);

  // Empties every cell and sets the size; the fixed rows and columns stay.
  void reset(int colCount, int rowCount);
  void setFixed(int fixedCols, int fixedRows);
  void setCell(int col, int row, const QString& text);
  QString cell(int col, int row) const;
  int colCount() const { return columnCount(); }

 private:
  void paintFixed(int col, int row);
  int fixedCols_ = 0;
  int fixedRows_ = 0;
};

}  // namespace relakin
