// The table changes that the main window's file commands make: emptying the grid before a new
// table or a read, laying out a new table, and taking over the table a reader produced.
#pragma once

#include "core/document.h"

namespace relakin {

// Size of a table made when the dimensions dialog is left without OK.
inline constexpr int kDefaultIndividuals = 10;
inline constexpr int kDefaultLoci = 5;

// Empties every cell of columns 1 .. ColCount - 1 (headings and locus names included); the row
// labels in column 0 and the table's size stay.
void ClearTable(GenotypeTable& cells);

// Lays out a new table of `individuals` rows and `loci` locus columns over the emptied table:
// headings "Loc.1" .., labels "      Ind2" .., one population starting at row 2 ("Pop Ind1").
// PopNames is left as it is: population 1 keeps whatever name slot 1 held.
void MakeNewTable(Document& doc, int individuals, int loci);

// Moves what a reader filled (table, NbPops, PopFirstRow, PopNames) into `doc`; the rest of
// `doc` (file name, selection flags, survey figures, analysis flag) stays.
void AdoptReadTable(Document& doc, Document&& read);

}  // namespace relakin
