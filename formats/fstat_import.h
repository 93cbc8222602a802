// The FSTAT data file, as published: line 1 holds the sample count np, the locus count nl, the
// highest allele number nu and the digits per allele nd (rest ignored); then nl lines of locus
// names; then, to the end of the file, one individual per line: its population number and nl
// genotype numbers, the rest of the line ignored. np and nu are not used: populations are
// counted from the individual lines, each change of population number starting a new one.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <string_view>

#include "core/document.h"
#include "core/genotype_code.h"
#include "formats/import_text.h"

namespace relakin {

// The two alleles of FSTAT genotype number g with nd digits per allele: g div 10 and g mod 10
// for nd 1, div and mod 1000 for nd 3, div and mod 100 for any other nd.
// Precondition: the quotient fits 16 bits.
AllelePair SplitFstatGenotype(std::uint64_t g, std::int64_t nd);

// Whether a locus name line has the shape of an individual line of a file of `loci` loci (a
// population number, then one genotype number per locus): the reader refuses it as a name, so
// the export writes such a name under its default one.
bool FstatNameReadsAsIndividual(std::string_view text, std::size_t loci);

// Reads an FSTAT file into a new document: each individual named by its population number,
// each population "Population " + q. Blank text after the last individual adds nobody. Throws
// Error(Input) naming the line for a header line with fewer than its four numbers, a count
// beyond 16 bits, an unreadable number, a file that ends inside the locus names or an
// individual's genotypes, a locus name line shaped as an individual line (a population number
// and nl genotype numbers: names not one a line), text after an individual's last genotype, or
// a genotype number other than zeros of more digits than its two alleles take (2 for nd 1, 6
// for nd 3, 4 otherwise); Error(Capacity) past 65534 individuals; Error(Io) when the file
// cannot be read.
// What the import changed on the way in goes to `warnings` when given (formats/import_text.h).
Document ReadFstatFile(std::istream& in, const std::string& name = {},
                       ImportWarnings* warnings = nullptr);
Document ReadFstatFile(const std::string& FileName, ImportWarnings* warnings = nullptr);

}  // namespace relakin
