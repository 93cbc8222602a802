#include "core/genotype_table.h"

#include <algorithm>

namespace relakin {

const std::string GenotypeTable::kEmpty;

namespace {

using Row = std::vector<std::string>;

// Number of cells of `r` up to its last non-empty one.
std::size_t UsedWidth(const Row& r) {
  std::size_t n = r.size();
  while (n > 0 && r[n - 1].empty()) --n;
  return n;
}

}  // namespace

void GenotypeTable::SetColCount(int n) {
  colCount_ = std::max(0, n);
  const auto width = static_cast<std::size_t>(colCount_);
  for (Row& r : rows_) {
    if (r.size() > width) r.resize(width);
  }
}

void GenotypeTable::SetRowCount(int n) { rows_.resize(static_cast<std::size_t>(std::max(0, n))); }

void GenotypeTable::Resize(int colCount, int rowCount) {
  SetColCount(colCount);
  SetRowCount(rowCount);
}

std::string& GenotypeTable::Cells(int col, int row) {
  Row& r = rows_[row];
  if (static_cast<std::size_t>(col) >= r.size()) r.resize(static_cast<std::size_t>(col) + 1);
  return r[col];
}

void GenotypeTable::SetCell(int col, int row, std::string text) {
  Row& r = rows_[row];
  if (static_cast<std::size_t>(col) >= r.size()) {
    if (text.empty()) return;
    r.resize(static_cast<std::size_t>(col) + 1);
  }
  r[col] = std::move(text);
}

void GenotypeTable::InsertRow(int at) { rows_.insert(rows_.begin() + at, Row()); }

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
  for (Row& r : rows_) {
    if (r.size() > static_cast<std::size_t>(at)) r.insert(r.begin() + at, std::string());
  }
}

void GenotypeTable::DeleteColumn(int col) {
  --colCount_;
  for (Row& r : rows_) {
    if (r.size() > static_cast<std::size_t>(col)) r.erase(r.begin() + col);
  }
}

void GenotypeTable::MoveColumn(int from, int to) {
  if (from == to) return;
  const auto low = static_cast<std::size_t>(std::min(from, to));
  const auto high = static_cast<std::size_t>(std::max(from, to));
  for (Row& r : rows_) {
    if (r.size() <= low) continue;  // every cell the move touches is empty
    if (r.size() <= high) r.resize(high + 1);
    auto first = r.begin();
    if (from < to)
      std::rotate(first + from, first + from + 1, first + to + 1);
    else
      std::rotate(first + to, first + from, first + from + 1);
    r.resize(UsedWidth(r));
  }
}

bool GenotypeTable::operator==(const GenotypeTable& other) const {
  if (colCount_ != other.colCount_ || rows_.size() != other.rows_.size()) return false;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const Row& a = rows_[i];
    const Row& b = other.rows_[i];
    const std::size_t n = UsedWidth(a);
    if (n != UsedWidth(b) || !std::equal(a.begin(), a.begin() + n, b.begin())) return false;
  }
  return true;
}

}  // namespace relakin
