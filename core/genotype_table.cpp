#include "core/genotype_table.h"

#include <algorithm>

namespace relakin {

void GenotypeTable::SetColCount(int n) {
  colCount_ = std::max(0, n);
  for (auto& r : rows_) r.resize(colCount_);
}

void GenotypeTable::SetRowCount(int n) {
  rows_.resize(std::max(0, n), std::vector<std::string>(colCount_));
}

void GenotypeTable::Resize(int colCount, int rowCount) {
  SetColCount(colCount);
  SetRowCount(rowCount);
}

void GenotypeTable::InsertRow(int at) {
  rows_.insert(rows_.begin() + at, std::vector<std::string>(colCount_));
}

void GenotypeTable::DeleteRow(int row) { rows_.erase(rows_.begin() + row); }

void GenotypeTable::MoveRow(int from, int to) {
  if (from == to) return;
  auto first = rows_.begin();
  if (from < to)
    std::rotate(first + from, first + from + 1, first + to + 1);
  else
    std::rotate(first + to, first + from, first + from + 1);
}

void GenotypeTable::InsertColumn(int at) {
  ++colCount_;
  for (auto& r : rows_) r.insert(r.begin() + at, std::string());
}

void GenotypeTable::DeleteColumn(int col) {
  --colCount_;
  for (auto& r : rows_) r.erase(r.begin() + col);
}

void GenotypeTable::MoveColumn(int from, int to) {
  if (from == to) return;
  for (auto& r : rows_) {
    auto first = r.begin();
    if (from < to)
      std::rotate(first + from, first + from + 1, first + to + 1);
    else
      std::rotate(first + to, first + from, first + from + 1);
  }
}

}  // namespace relakin
