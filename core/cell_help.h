// The status-line help shown for the grid's cells and headings, and which keys switch a cell
// into editing.
#pragma once

#include <string>

namespace relakin {

// Help for the cell (col >= 1, row >= 1) that becomes current.
std::string CellHelpText(int col, int row);
// After a click on the heading of column col (>= 1) / of row row (>= 1).
std::string ColumnHeadingHelpText(int col);
std::string RowHeadingHelpText(int row);

// Windows virtual-key codes the editing keys are defined by.
inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyF2 = 113;
// True for F2, Enter and the codes 48 .. 105 (digits, letters, the keypad's digits and the
// codes between): those switch the current cell into editing.
bool KeyStartsEditing(int virtualKey);

}  // namespace relakin
