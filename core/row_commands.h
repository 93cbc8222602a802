// The Edit menu's row and column commands: insert an individual row, delete the current row or
// locus column, add rows and columns at the end. Each returns whether the table changed.
#pragma once

#include "core/document.h"

namespace relakin {

// Room left by the 16-bit counts. Individual rows stop one short of 65535 so that every row
// number still fits the 16-bit PopFirstRow entries.
inline constexpr int kMaxIndividuals = 65534;
inline constexpr int kMaxLoci = 65535;
int RowsRoom(const Document& doc);     // individuals that may still be added
int ColumnsRoom(const Document& doc);  // locus columns that may still be added
// Throw Error(Capacity) when `rows` individuals / `cols` locus columns do not fit any more.
void RequireRowsRoom(const Document& doc, int rows);
void RequireColumnsRoom(const Document& doc, int cols);

// An empty row at `row` (>= 2), later rows moving down. At row 2 the new row becomes population
// 1's first; elsewhere it joins the population above it. False (nothing done) for row < 2 or
// past the table. Throws Error(Capacity) when no individual may be added.
bool InsertIndividualRow(Document& doc, int row);

// Deletes individual row `row` (>= 2), later rows moving up. A deleted population start hands
// its marker to the next row of the same population; a population that loses its only row
// loses its name too. False for row < 2 or past the table.
bool DeleteIndividualRow(Document& doc, int row);

// Deletes locus column `col` (>= 2) and rewrites the headings from there on. False for col < 2
// or past the table.
bool DeleteLocusColumn(Document& doc, int col);

// Adds `rows` empty individuals at the end (in the last population) and `cols` locus columns
// with their headings, then renumbers; negative counts add nothing. Throws Error(Capacity) beyond
// RowsRoom / ColumnsRoom.
void AddRowsAndColumns(Document& doc, int rows, int cols);

}  // namespace relakin
