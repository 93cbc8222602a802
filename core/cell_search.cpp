#include "core/cell_search.h"

#include <algorithm>

namespace relakin {

char LowerCp1252(char c) {
  const auto b = static_cast<unsigned char>(c);
  if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7)) return char(b + 0x20);
  switch (b) {
    case 0x8A:  // S caron
    case 0x8C:  // OE
    case 0x8E:  // Z caron
      return char(b + 0x10);
    case 0x9F:  // Y diaeresis
      return char(0xFF);
    default:
      return c;
  }
}

std::optional<std::size_t> FindInCell(std::string_view cell, std::string_view text,
                                      bool matchCase) {
  if (text.empty()) return {};
  auto found = matchCase
                   ? std::search(cell.begin(), cell.end(), text.begin(), text.end())
                   : std::search(cell.begin(), cell.end(), text.begin(), text.end(),
                                 [](char a, char b) { return LowerCp1252(a) == LowerCp1252(b); });
  if (found == cell.end()) return {};
  return static_cast<std::size_t>(found - cell.begin());
}

std::optional<CellPos> FindNextCell(const GenotypeTable& table, std::string_view text, CellPos from,
                                    const SearchOptions& options) {
  const int step = options.down ? 1 : -1;
  const int firstCol = options.down ? 1 : table.ColCount() - 1;
  const int lastCol = options.down ? table.ColCount() - 1 : 1;
  const int rowLimit = options.down ? table.RowCount() : 0;
  const auto pastRowEnd = [&](int col) { return options.down ? col > lastCol : col < lastCol; };
  int row = from.row;
  int col = from.col + step;
  if (pastRowEnd(col)) {
    row += step;
    col = firstCol;
  }
  for (; options.down ? row < rowLimit : row > rowLimit; row += step, col = firstCol) {
    if (row < 1 || row >= table.RowCount()) continue;
    for (; !pastRowEnd(col); col += step) {
      if (col >= 1 && col < table.ColCount() &&
          FindInCell(table.Cells(col, row), text, options.matchCase)) {
        return CellPos{col, row};
      }
    }
  }
  return {};
}

std::string ReplaceAt(std::string_view s, std::size_t pos, std::size_t length,
                      std::string_view replacement) {
  std::string out;
  out.reserve(s.size() - length + replacement.size());
  out.append(s.substr(0, pos)).append(replacement).append(s.substr(pos + length));
  return out;
}

bool ReplaceFirst(std::string& cell, std::string_view text, std::string_view replacement,
                  bool matchCase) {
  const std::optional<std::size_t> pos = FindInCell(cell, text, matchCase);
  if (!pos) return false;
  cell = ReplaceAt(cell, *pos, text.size(), replacement);
  return true;
}

ReplaceOutcome ReplaceCells(GenotypeTable& table, const ReplaceRequest& request, CellPos current) {
  ReplaceOutcome outcome;
  outcome.current = current;
  const auto replaceIn = [&](CellPos at) {
    if (!ReplaceFirst(table.Cells(at.col, at.row), request.text, request.replacement,
                      request.options.matchCase)) {
      return;
    }
    ++outcome.replaced;
    if (outcome.changed) {
      outcome.changed->Include(at.col, at.row);
    } else {
      outcome.changed = CellBlock::Cell(at.col, at.row);
    }
  };
  if (current.col >= 0 && current.col < table.ColCount() && current.row >= 0 &&
      current.row < table.RowCount()) {
    replaceIn(current);
  }
  while (true) {
    const std::optional<CellPos> next =
        FindNextCell(table, request.text, outcome.current, request.options);
    outcome.found = next.has_value();
    if (!next) break;
    outcome.current = *next;
    if (!request.all) break;
    replaceIn(*next);
  }
  return outcome;
}

}  // namespace relakin
