// The genotype numbers of the older pair and FSTAT layouts: the two alleles of an individual at a
// locus written as one number, each allele in a fixed number of digits.
#pragma once

#include <cstdint>

#include "core/text_reader.h"

namespace relakin {

// Reads the genotype number that stands at the reader's position (its separators skipped), the
// one of locus l of individual k. Throws Error(Input) naming the line, the locus and the
// individual for a number of more than 2 * digitsPerAllele digits, leading zeros included: its
// split would give alleles the file does not hold. Zeros alone are 0, the missing genotype, at
// any width. Otherwise as TextReader::ReadUnsigned.
std::uint64_t ReadGenotypeNumber(TextReader& in, int digitsPerAllele, int k, int l);

}  // namespace relakin
