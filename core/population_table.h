// Row labels, column headings and the population tables kept in step with the row markers.
//
// A row label holding "Pop" (case-sensitive, anywhere) marks the first row of a population; the
// population tables (NbPops, PopFirstRow) are rebuilt from those marks by RenumberRows after every
// change of rows or markers. Population names are numbered, not tied to rows: only
// InsertPopName and DeletePopName renumber them. Names are Windows-1252 bytes, as the table holds.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/document.h"

namespace relakin {

// True when label carries the population marker "Pop".
bool HasPopMarker(std::string_view label);

// Label of individual row `row` (k = row - 1): "Pop Ind" + k on a population's first row,
// six blanks, "Ind" and k on the others.
std::string PopStartLabel(int row);
std::string IndividualLabel(int row);

// Heading of locus column col >= 2: "Loc." + (col - 1).
std::string LocusHeading(int col);
// Rewrites the headings of columns first .. last (those below 2 or past the table are skipped).
void RewriteHeadings(Document& doc, int first, int last);

// Rewrites column 0 from the markers (row 2 always marked when there are individual rows, row 1
// empty) and rebuilds NbPops and PopFirstRow. Precondition: ColCount() >= 1.
void RenumberRows(Document& doc);

struct PopsAround {
  std::uint16_t prev = 0;  // the population holding the row
  std::uint16_t next = 0;  // the population after it, 0 when there is none
};
PopsAround FindPopsAround(const Document& doc, int row);

// The population whose first row is `row`; 0 when none starts there.
std::uint16_t FindPopOfStartRow(const Document& doc, int row);

// PopNames[p], or empty when the table has no entry p.
std::string PopNameOf(const Document& doc, std::size_t p);

// Puts the first 25 bytes of name into PopNames at `position`, moving the names from there on
// up by one; position 0 appends after population NbPops. NbPops itself changes at the next
// RenumberRows.
void InsertPopName(Document& doc, const std::string& name, std::uint16_t position);

// Removes the name of population `pop` (1 .. NbPops), moving the later names down by one;
// nothing when pop > NbPops.
void DeletePopName(Document& doc, std::uint16_t pop);

}  // namespace relakin
