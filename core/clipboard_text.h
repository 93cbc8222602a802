// The clipboard's text form of a block of grid cells and the cell changes behind the Edit menu's
// Copy, Paste and Delete. Cells hold Windows-1252 bytes, and so do these texts: the window converts
// at the clipboard.
//
// Text layout: the rows of the block from top to bottom; within a row the cells from left to right
// separated by one TAB; every row, the last one included, ends with CR LF. One cell is its text
// followed by CR LF.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/cell_block.h"
#include "core/genotype_table.h"

namespace relakin {

// Largest size count a block may have to be copied.
inline constexpr std::uint64_t kMaxCopySize = 65535;

// The size count of a block: 1 + the sum over its cells of (length + 2) + (columns - 1). It is
// never less than the length of the block's text plus one. Precondition: `block` lies in `table`.
std::uint64_t CopySizeCount(const GenotypeTable& table, const CellBlock& block);

// The clipboard text of `block`; every cell's text is copied whole. Throws Error(Capacity) when
// the block has more than one cell and its size count exceeds kMaxCopySize. Precondition: `block`
// lies in `table`.
std::string CopyText(const GenotypeTable& table, const CellBlock& block);

// Every cell of `block` becomes one blank. Precondition: `block` lies in `table`.
void BlankCells(GenotypeTable& table, const CellBlock& block);

// Stores the fields of `text` from cell (col, row) on: a TAB moves to the next column, a row end
// (CR LF, LF or CR) to the next row back at column `col`, and a last field with no separator after
// it is stored too. The paste ends as soon as it has moved past the last column or the last row;
// the rest of the text is dropped and the table never grows. Returns the block of cells written,
// nothing when none was (an empty text, a start outside the table).
std::optional<CellBlock> PasteText(GenotypeTable& table, int col, int row, std::string_view text);

}  // namespace relakin
