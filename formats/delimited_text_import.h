// Plain text with one individual per line and fields cut by a separator: optionally a first line
// of locus names, then per individual its population identifier and name (each optional) and one
// genotype field per locus, the two alleles written with D digits each.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <string_view>

#include "core/document.h"
#include "formats/import_text.h"

namespace relakin {

struct DelimitedTextOptions {
  std::string Separator;         // at most one character; empty cuts nothing
  bool FirstLineLoci = true;     // the first record holds the locus names
  bool IndividualColumn = true;  // a name field after the population identifier
  bool PopulationColumn = true;  // a population identifier first
  std::uint8_t Digits = 2;       // digits per allele, 1 to 3
};

// The genotype code of one field: the alleles written by its first D and its last D characters
// (a field of D characters or fewer is a homozygote). Throws Error(Conversion) when either is
// not a non-negative decimal number (leading blanks allowed). Precondition: 1 <= D <= 3.
std::string SplitGenotypeText(std::string_view Text, std::uint8_t Digits);

// Reads delimited text into a new document. Lines holding nothing but blanks, control
// characters and separators are no record. Each change of population identifier (compared as
// text) starts a population named by the identifier (first 25 characters); without an
// identifier column the table has one population with an empty name. A line without a
// separator, with a population column, is an identifier alone. Throws Error(Conversion) naming
// the line for a genotype field that is not a number, Error(Capacity) past 65534 individuals or
// 65534 loci, or when lines so unequal in length would make a table out of all proportion to
// the file; Error(Io) when the file cannot be read; std::invalid_argument for Digits outside
// 1 .. 3 or a separator longer than one character.
// What the import changed on the way in goes to `warnings` when given (formats/import_text.h).
Document ReadDelimitedText(std::istream& in, const DelimitedTextOptions& options,
                           const std::string& name = {}, ImportWarnings* warnings = nullptr);
Document ReadDelimitedText(const std::string& FileName, const DelimitedTextOptions& options,
                           ImportWarnings* warnings = nullptr);

}  // namespace relakin
