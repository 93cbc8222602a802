#include "core/clipboard_text.h"

#include "core/errors.h"

namespace relakin {

std::uint64_t CopySizeCount(const GenotypeTable& table, const CellBlock& block) {
  std::uint64_t count = 1;
  for (int c = block.left; c <= block.right; ++c) {
    for (int r = block.top; r <= block.bottom; ++r) count += table.Cells(c, r).size() + 2;
  }
  return count + static_cast<std::uint64_t>(block.Columns() - 1);
}

std::string CopyText(const GenotypeTable& table, const CellBlock& block) {
  if (block.IsSingleCell()) return table.Cells(block.left, block.top) + "\r\n";
  const std::uint64_t count = CopySizeCount(table, block);
  if (count > kMaxCopySize) {
    throw Error(ErrorKind::Capacity, "Copie impossible : le texte de la sélection compte " +
                                         std::to_string(count) + " caractères, 65535 au plus.");
  }
  std::string text;
  text.reserve(count);
  for (int r = block.top; r <= block.bottom; ++r) {
    for (int c = block.left; c <= block.right; ++c) {
      text += table.Cells(c, r);
      if (c < block.right) text += '\t';
    }
    text += "\r\n";
  }
  return text;
}

void BlankCells(GenotypeTable& table, const CellBlock& block) {
  for (int c = block.left; c <= block.right; ++c) {
    for (int r = block.top; r <= block.bottom; ++r) table.SetCell(c, r, " ");
  }
}

std::optional<CellBlock> PasteText(GenotypeTable& table, int col, int row, std::string_view text) {
  if (col < 0 || row < 0 || col >= table.ColCount() || row >= table.RowCount()) return {};
  std::optional<CellBlock> written;
  int c = col;
  int r = row;
  std::size_t start = 0;  // of the pending field
  for (std::size_t i = 0; i <= text.size(); ++i) {
    const bool atEnd = i == text.size();
    const char ch = atEnd ? '\0' : text[i];
    if (!atEnd && ch != '\t' && ch != '\r' && ch != '\n') continue;
    if (atEnd && start == i) break;  // nothing after the last separator
    table.SetCell(c, r, std::string(text.substr(start, i - start)));
    if (written) {
      written->Include(c, r);
    } else {
      written = CellBlock::Cell(c, r);
    }
    if (atEnd) break;
    if (ch == '\t') {
      ++c;
    } else {
      if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      ++r;
      c = col;
    }
    start = i + 1;
    if (c >= table.ColCount() || r >= table.RowCount()) break;
  }
  return written;
}

}  // namespace relakin
