// The renumbering of alleles that the exports write: an allele becomes its two-digit rank among
// the distinct alleles of its locus, sorted ascending, so that formats coding an allele with two
// digits can carry it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/allele_tables.h"

namespace relakin {

// Ranks are two digits: from the 100th distinct allele of a locus on, an allele cannot be written
// and takes the missing code "00".
inline constexpr std::uint16_t kMaxRank2 = 99;

// The 1-based position of allele in locus l's list, "0" in front below 10; "00" when the allele
// is not in the list (0 never is) or stands past position 99.
// Precondition: t's lists are sorted (SortAlleleLists) and l < t.AlleleCount.size().
std::string AlleleRank2(const AlleleTables& t, std::uint16_t allele, std::uint16_t l);

// The four-digit renumbered genotype of a cell at grid locus l: the rank of its first allele,
// then of its second, in the order of the cell. The cell is trimmed of its leading and trailing
// blanks, as the writers read it, then read as a whole number once every inner blank is a zero
// (an empty or blank cell is 0), whatever its length; its alleles are number div 1000 and
// number mod 1000. Throws Error(Conversion) naming the cell (grid locus l, individual row - 1;
// pass row -1 when the text is not a grid cell) when the text is not a whole number or its
// first allele does not fit 16 bits (65,536,000 and above).
std::string RecodeGenotype2(const AlleleTables& t, std::string_view cell, std::uint16_t l,
                            int row = -1);

}  // namespace relakin
