// The text of a genotype cell and the small text routines that readers, writers and editing
// commands share.
//
// A genotype code is six digits: one allele as three digits with leading zeros, then the other;
// "000" is a missing allele and "000000" the missing genotype. Alleles run from 1 to 999.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/document.h"

namespace relakin {

inline constexpr std::string_view kMissingGenotype = "000000";

// n as decimal text of at least three digits, zeros in front (7 -> "007", 1000 -> "1000").
std::string PadAllele3(std::uint16_t n);

// The readers' rule: two non-zero alleles smaller first, otherwise in the given order.
// (105, 101) -> "101105", (12, 0) -> "012000". An allele above 999 makes a longer text, which the
// writers then read as missing.
std::string MakeGenotypeCode(std::uint16_t a1, std::uint16_t a2);

// The writers' reading of a cell: blanks trimmed; an empty or blank cell is the missing
// genotype; inner blanks become zeros; a half-missing genotype becomes missing. The alleles keep
// the order typed. Throws Error(Conversion) naming the cell (col, row of the grid; pass -1 when
// the text is not a grid cell) when the trimmed text is not six characters or not all digits:
// a typing that cannot be written is never dropped without a word.
std::string NormalizeGenotype(std::string_view cell, int col = -1, int row = -1);

// Throws the Error(Conversion) that says a cell is not a genotype, naming its locus (col - 1)
// and individual (row - 1) when col and row are grid cells (2 or more).
[[noreturn]] void FailGenotypeCell(std::string_view cell, int col, int row);

// s without its leading and trailing blanks (character 32).
std::string_view TrimBlanks(std::string_view s);

struct AllelePair {
  std::uint16_t a1 = 0;
  std::uint16_t a2 = 0;
};
// The two alleles of a normalised code (six digits, as NormalizeGenotype returns).
AllelePair GenotypeAlleles(std::string_view code);

// True when s is empty or holds only blanks (character 32; a TAB is not blank).
bool IsBlankText(std::string_view s);

// True when some cell of grid row `row` in column 1 .. ColCount - 1 is not blank.
// Precondition: 0 <= row < RowCount.
bool RowHasData(const Document& doc, int row);

// The first / last n characters of s; all of s when it is not longer than n.
std::string LeftChars(std::string_view s, std::uint16_t n);
std::string RightChars(std::string_view s, std::uint16_t n);

// Ascending in-place heap sort of a[1] .. a[n]; a[0] and elements after a[n] are untouched.
// Precondition: a.size() > n (or n < 2).
void HeapSortDoubles(std::uint32_t n, std::span<double> a);

}  // namespace relakin
