// Finding and replacing text in the grid's cells, as the Find and Replace dialogs do it.
//
// Matching: the find text matches a cell when it occurs anywhere in the cell's text; with match
// case the bytes compare exactly, otherwise both sides are lowercased by the Windows-1252 rules
// (accented capitals included). An empty find text matches nothing.
//
// Search order: down runs from the cell after the start to the right, row after row, each row from
// column 1 to the last column; up runs to the left, row before row, each row from the last column
// to column 1. Row 0 and column 0 (headings and labels) are never searched; the search does not
// wrap around.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "core/cell_block.h"
#include "core/genotype_table.h"

namespace relakin {

struct CellPos {
  int col = 0;
  int row = 0;
  bool operator==(const CellPos&) const = default;
};

struct SearchOptions {
  bool down = true;
  bool matchCase = false;
};

// The Windows-1252 lowercase of one byte; other bytes unchanged.
char LowerCp1252(char c);

// The 0-based position of the first match of `text` in `cell`; nothing when it does not occur or
// `text` is empty.
std::optional<std::size_t> FindInCell(std::string_view cell, std::string_view text, bool matchCase);

// The first cell after `from`, in the options' direction, that `text` matches; nothing when no
// later cell does.
std::optional<CellPos> FindNextCell(const GenotypeTable& table, std::string_view text, CellPos from,
                                    const SearchOptions& options);

// `s` with the `length` bytes at 0-based `pos` replaced by `replacement`. Precondition:
// pos + length <= s.size().
std::string ReplaceAt(std::string_view s, std::size_t pos, std::size_t length,
                      std::string_view replacement);

// Replaces the first match of `text` in `cell` by `replacement`; false when there is none.
bool ReplaceFirst(std::string& cell, std::string_view text, std::string_view replacement,
                  bool matchCase);

struct ReplaceRequest {
  std::string text;
  std::string replacement;
  SearchOptions options;
  bool all = false;  // Replace All: every matching cell after the current one as well
};

struct ReplaceOutcome {
  int replaced = 0;                  // cells changed
  std::optional<CellBlock> changed;  // smallest block holding every changed cell
  CellPos current;                   // the current cell afterwards: the last cell found
  bool found = false;                // the last search found a cell
};

// The Replace and Replace All buttons from the current cell `current`: replace the first match in
// that cell, then search on; Replace moves to the next matching cell, Replace All replaces the
// first match in it and in each following matching cell, each cell once.
ReplaceOutcome ReplaceCells(GenotypeTable& table, const ReplaceRequest& request, CellPos current);

}  // namespace relakin
