// Dragging a column or a row of the grid to another place, with the fix-ups that keep the name
// column in column 1, the locus-name row in row 1 and the population starts at their rows.
#pragma once

#include "core/document.h"

namespace relakin {

// Moves column `from` (with all its cells) to position `to`, the columns between shifting by
// one, then puts the name column back in column 1 and rewrites the headings of the columns
// that changed place. Preconditions: 1 <= from, to < ColCount().
void MoveColumnAndFix(Document& doc, int from, int to);

// Moves row `from` (label included) to position `to`, the rows between shifting by one, then
// puts the locus names back in row 1; a moved first individual hands its population start to
// the individual that takes its place, and the moved individual joins the population where it
// lands. Ends with RenumberRows. Preconditions: 1 <= from, to < RowCount().
void MoveRowAndFix(Document& doc, int from, int to);

}  // namespace relakin
