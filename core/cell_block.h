// A rectangle of table cells, inclusive on every side, in table coordinates (column, row).
#pragma once

#include <algorithm>

namespace relakin {

struct CellBlock {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  static CellBlock Cell(int col, int row) { return {col, row, col, row}; }
  int Columns() const { return right - left + 1; }
  int Rows() const { return bottom - top + 1; }
  bool IsSingleCell() const { return left == right && top == bottom; }
  // Grows the block to hold (col, row).
  void Include(int col, int row) {
    left = std::min(left, col);
    right = std::max(right, col);
    top = std::min(top, row);
    bottom = std::max(bottom, row);
  }

  bool operator==(const CellBlock&) const = default;
};

}  // namespace relakin
