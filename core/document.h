// The table and the process-wide state that goes with it, in one object passed explicitly:
// the population tables, the current file name, the subset chooser's flags, the analysis-file
// flag and the figures of the last writers' survey. Population and locus tables are 1-based;
// slot 0 is kept and unused.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/genotype_table.h"

namespace relakin {

struct Document {
  GenotypeTable Cells;

  std::uint16_t NbPops = 0;
  // Grid row of population p's first individual. Grows and never shrinks: entries above
  // NbPops carry no meaning.
  std::vector<std::uint16_t> PopFirstRow = std::vector<std::uint16_t>(1, 0);
  // Population names, each at most 25 bytes (SetPopName cuts).
  std::vector<std::string> PopNames = std::vector<std::string>(1);

  // Empty at start, "Untitled" for a new table, else the table's file path. A path, not table
  // text: UTF-8 as the file system names it; the writers put it into the code page for line 1.
  std::string CurrentFileName;

  // Filled by the subset chooser, read by the selection writer; slot 0 unused.
  std::vector<bool> PopSelection;     // per population number
  std::vector<bool> LocusSelection;   // per grid locus number

  // Written locus k -> grid locus number (slot 0 unused); rebuilt by every writers' survey.
  std::vector<std::uint16_t> LocusColumnMap = std::vector<std::uint16_t>(1, 0);

  // Raised by the writers of the analysis file once it is complete; lowered by the dialogs.
  bool AnalysisFileReady = false;

  // Figures of the last survey of the table (RowCount - 1, used loci, populations); 0 before.
  std::int32_t RecordedLastRow = 0;
  std::int32_t RecordedLocusCount = 0;
  std::int32_t RecordedPopCount = 0;

  static constexpr std::size_t kPopNameLength = 25;

  // Stores the first 25 bytes of name as PopNames[p], growing the table as needed.
  void SetPopName(std::size_t p, const std::string& name);
  // PopFirstRow[p] = row, growing the table as needed.
  void SetPopFirstRow(std::size_t p, std::uint16_t row);
  // Last grid row of population p (1 <= p <= NbPops): the row before the next population's
  // first, the last grid row for the last population.
  int PopLastRow(std::size_t p) const;
};

}  // namespace relakin
