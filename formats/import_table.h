// The table an import reader fills, built the way every import lays it out: row 0 the headings
// "locus" + l, row 1 the locus names, then one row per individual appended as it is read, labelled
// "Pop Ind" + k on a population's first individual and "    Ind" + k on the others, with NbPops
// and PopFirstRow kept in step.
//
// Rows are added only as individuals are read, so memory follows what the file holds. The first
// individual always starts population 1: a table with individuals always has its first marker.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/document.h"
#include "core/text_reader.h"  // WhereInFile
#include "formats/import_text.h"

namespace relakin {

// Grid rows are 16-bit: individual k stands on row k + 1.
inline constexpr std::uint32_t kMaxImportIndividuals = 65534;

class ImportTable {
 public:
  // Columns for `loci` loci, with their headings; no individual yet. `fileName` names the file
  // in error messages.
  ImportTable(std::uint16_t loci, std::string fileName);

  // Appends the next individual's row and returns it; `startsPopulation` makes it the first
  // row of a new population (always so for the first individual). `line` locates the
  // Error(Capacity) raised past kMaxImportIndividuals individuals.
  int AddIndividual(bool startsPopulation, int line);

  // Population p's name as the file gives it: the table keeps its first 25 characters, and Take
  // says when it had more.
  void SetPopName(std::uint16_t p, const std::string& name);

  int Individuals() const { return doc_.Cells.RowCount() - 2; }
  Document& Doc() { return doc_; }
  // The table read, once the whole file is: Error(Input) naming the file when it holds no
  // individual or no locus; what it will hold short of the file (formats/import_check.h) goes
  // to `warnings` when given.
  Document Take(ImportWarnings* warnings);

 private:
  Document doc_;
  std::string fileName_;
  std::vector<std::string> cutPopNames_;  // [p]: the whole name when the table holds it cut
};

// "locus" + l, the heading a reader writes over the column of locus l.
std::string ImportedLocusHeading(int l);

// What an import says of `text` standing after the last of the `loci` genotypes of individual k
// on its line: genotypes the file holds beyond its loci would be lost without a word.
std::string TextAfterGenotypes(std::string_view text, int k, int loci);

// "Population " + q, the name the older pair and FSTAT readers give population q.
std::string NumberedPopulationName(int q);

}  // namespace relakin
