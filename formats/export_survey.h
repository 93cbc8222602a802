// What the three exports share: the survey of the table they all make first, the locus names
// they write, the individual lines and the notice of alleles that two digits cannot carry.
//
// Loci are the used locus columns in grid order (AlleleTables). Populations come from the
// population tables: population p spans PopRows(doc, p) and its individuals are its data rows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/allele_tables.h"
#include "core/document.h"
#include "core/messages.h"

namespace relakin {

struct ExportSurvey {
  AlleleTables tables;  // allele lists of every used locus, sorted
  // The greatest AlleleCount over the used loci; 0 when no locus is used. May exceed 99.
  std::uint16_t largestAlleleCount = 0;
};

// The writers' survey over the whole table: AllocAlleleTables (which records doc.Recorded*),
// CollectLocusNames (a notice per used locus with a blank name; rebuilds doc.LocusColumnMap),
// the alleles of every grid row from 2 on, sorted. Throws Error(Conversion) for a genotype cell
// of a used locus that the writers cannot read (NormalizeGenotype), before anything is written.
ExportSurvey SurveyForExport(Document& doc, Messages& messages);

// The notice "Nom du " l " ° Locus manquant !" of a locus written under its default name for
// want of a name.
void AnnounceMissingLocusName(std::uint16_t l, Messages& messages);

// The name written for grid locus l: its row-1 cell unchanged, blanks included. A blank one is
// announced again ("Nom du " l " ° Locus manquant !") and gives nothing: the caller writes its
// format's default name.
std::optional<std::string> WrittenLocusName(const Document& doc, std::uint16_t l,
                                            Messages& messages);

// text right-justified with blanks in `width` characters; a longer text is kept whole.
std::string RightJustify(std::string_view text, std::size_t width);

// Appends one line per data row of population p: `prefix`, then per used locus a blank and
// RecodeGenotype2 of its cell, then a line end unless the row is the grid's last. Throws
// Error(Conversion) naming the cell for a cell that is not a whole number.
void AppendIndividualLines(std::string& out, const Document& doc, const ExportSurvey& s,
                           std::size_t p, std::string_view prefix);

// The notice for loci with more than 99 distinct alleles, whose further alleles are written
// "00": one line per such locus with its grid number, its name and how many alleles were lost.
// Empty when no locus lost any.
std::string LostAllelesNotice(const Document& doc, const ExportSurvey& s);

}  // namespace relakin
