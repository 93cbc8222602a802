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
// (a field of D characters or fewer is a homozygote). A field of digits alone between D + 1 and
// 2D - 1 characters long lost leading zeros, as spreadsheets drop them: they are put back (123
// is 0123 with D = 2). Throws Error(Conversion) when either allele is not a non-negative decimal
// number (leading blanks allowed), or when a field longer than 2D holds digits between its first
// and last D characters (they would be lost). Precondition: 1 <= D <= 3.
std::string SplitGenotypeText(std::string_view Text, std::uint8_t Digits);

// Reads delimited text into a new document. Lines are cut as CutFields says
// (formats/text_fields.h); lines holding nothing but blanks, control characters and separators
// are no record. A Ctrl-Z followed by nothing but characters of code 32 or less ends the file
// (WithoutEndOfFileMark); one followed by text is refused naming its line.
//
// The number of loci is the number of names on the locus line (empty names at its end do not
// count: a spreadsheet pads its rows so), or without a locus line the largest number of genotype
// fields of an individual up to its last non-empty one. Every individual must then have exactly
// one genotype field per locus: an empty field is a missing genotype, empty fields past the last
// locus are padding and ignored, and a line with fewer fields or with a non-empty field past the
// last locus is refused; the message says how many were expected. A locus line that also heads
// the identity columns (as spreadsheets write "Pop;Ind;L1;L2") is refused so, at the first
// individual, with a word on what the locus line must hold: nothing tells it from a locus line
// whose individuals lack genotypes.
//
// Each change of population identifier (compared as text) starts a population named by the
// identifier (first 25 characters); without an identifier column the table has one population
// with an empty name.
//
// Throws, naming the line: Error(Input) for a population identifier or name that is empty or
// missing, a field count that does not fit, or a first individual without a genotype when there
// is no locus line; Error(Conversion) for a genotype field that is not a number;
// Error(Capacity) past 65534 individuals or 65534 loci. Error(Io) when the file cannot be read;
// std::invalid_argument for Digits outside 1 .. 3 or a separator longer than one character.
// What the import changed on the way in goes to `warnings` when given (formats/import_text.h).
Document ReadDelimitedText(std::istream& in, const DelimitedTextOptions& options,
                           const std::string& name = {}, ImportWarnings* warnings = nullptr);
Document ReadDelimitedText(const std::string& FileName, const DelimitedTextOptions& options,
                           ImportWarnings* warnings = nullptr);

}  // namespace relakin
