// The subset chooser's locus list and the selection file: the analysis file "temp.tmp" in the
// native layout, restricted to the chosen populations and loci.
//
// Differences from the whole-table analysis file: line 1 counts the chosen loci; line 2 holds
// the population count alone; name lines are the grid's name cells as they stand (an unnamed
// locus gives an empty line); allele lines count the alleles of the chosen populations only;
// every line ends with CR LF, the last one included.
#pragma once

#include <string>
#include <vector>

#include "core/document.h"
#include "core/messages.h"

namespace relakin {

inline constexpr char kAnalysisFileName[] = "temp.tmp";

// One item per used locus in grid order: the grid locus number, "-", the name to write
// ("Locus " l for a blank name cell, which is also said through messages.Information). Item
// texts are table text (Windows-1252). Records the survey's figures in doc.Recorded*.
std::vector<std::string> FillLocusList(Document& doc, Messages& messages);

// The bytes of the selection file for doc.PopSelection and doc.LocusSelection (indexed by
// population number and grid locus number, slot 0 unused; missing entries count as not chosen).
// Says each chosen locus with a blank name (Information) and each chosen locus without any
// complete genotype in the chosen populations (Show). Touches no file and no flag. Throws
// Error(Conversion) for a genotype cell it cannot read (NormalizeGenotype), Error(Capacity) past
// 65535 data rows in one population.
std::string SelectionFileText(Document& doc, Messages& messages);

// Writes SelectionFileText to FileName (a bare name: the current directory), replacing the old
// file only once the new one is complete, then raises doc.AnalysisFileReady and returns it.
// On any error the flag is left as it was and the old file is intact.
bool WriteSelectionFile(Document& doc, Messages& messages,
                        const std::string& FileName = kAnalysisFileName);

}  // namespace relakin
