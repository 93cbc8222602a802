// The survey of the table that every writer makes before it writes (the native and analysis
// file, the selection file, the exports) and that the subset chooser's locus list makes: which
// locus columns hold data, the distinct alleles of each locus, the names to write, and the data
// rows per population.
//
// Loci are numbered two ways. The grid locus number l = column - 1 (1 .. ColCount - 2) keys
// LocusUsed, AlleleCount and AlleleList; the written locus number k (1 .. NbLocUsed, the k-th used
// column in grid order) keys OutLocusNames and Document::LocusColumnMap (k -> l). Slot 0 of every
// table is unused.
//
// A writer owns one AlleleTables for the duration of its write. Usual order:
//   AllocAlleleTables; ResetAlleleTables; CollectLocusNames; CollectRowAlleles per row;
//   SortAlleleLists; then read the tables.
// Only complete genotypes (both alleles non-zero) feed the allele lists.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/document.h"
#include "core/genotype_table.h"
#include "core/messages.h"

namespace relakin {

struct AlleleTables {
  // [l], ColCount entries: the column of locus l holds a non-blank cell below row 1 (or, for the
  // selection writer, the locus was chosen: see SetUsedLoci).
  std::vector<bool> LocusUsed;
  std::uint16_t NbLocUsed = 0;
  // [l], ColCount - 1 entries: distinct alleles collected for locus l.
  std::vector<std::uint16_t> AlleleCount;
  // [l][j], j = 1 .. AlleleCount[l]: in order of first appearance until SortAlleleLists.
  // Each list holds AlleleCount[l] + 1 entries.
  std::vector<std::vector<std::uint16_t>> AlleleList;
  // [k], NbLocUsed + 1 entries, filled by CollectLocusNames.
  std::vector<std::string> OutLocusNames;
  // [p], NbPops + 1 entries, zeroed by AllocAlleleTables; the writers fill them.
  std::vector<std::uint16_t> SampleSize;
  std::vector<float> PopMeanAlleles;

  // LocusUsed and NbLocUsed from the cells below row 1.
  void MarkUsedLoci(const GenotypeTable& cells);
  // Replaces the used loci by a choice indexed by grid locus number (slot 0 unused; missing
  // entries count as not chosen). For the selection writer, after AllocAlleleTables.
  void SetUsedLoci(const std::vector<bool>& chosen);
  // MarkUsedLoci, then sizes every table for the table and its NbPops, and records
  // RowCount - 1, NbLocUsed and NbPops in doc.Recorded*.
  void AllocAlleleTables(Document& doc);
  // Empties every locus's allele list.
  void ResetAlleleTables();
  // Appends allele to locus l's list unless it is there. Precondition: l < AlleleCount.size().
  void AddAllele(std::uint16_t allele, std::uint16_t l);
  // Adds the alleles of row's complete genotypes at every used locus. Throws Error(Conversion)
  // for a cell that is not a genotype (NormalizeGenotype).
  void CollectRowAlleles(const GenotypeTable& cells, int row);
  // Sorts the list of every used locus ascending.
  void SortAlleleLists();
  // Rebuilds doc.LocusColumnMap and OutLocusNames for the used loci. A blank name cell is said
  // through messages.Information ("Nom du " l " ° Locus manquant !") and gets "Locus " l.
  void CollectLocusNames(Document& doc, Messages& messages);

  // The collected alleles of locus l, positions 1 .. AlleleCount[l], as a plain list.
  std::vector<std::uint16_t> Alleles(std::uint16_t l) const;
};

// Sorts list[L .. R] ascending in place by recursive partition; R < L leaves it unchanged.
void QuickSortWords(std::vector<std::uint16_t>& list, std::int32_t L, std::int32_t R);

}  // namespace relakin
