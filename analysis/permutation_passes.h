// One random exchange pass over the run's genotypes, for the permutation test. Both passes
// rewrite `Genotypes` in place, draw from `random` in a fixed order and leave the allele
// frequencies alone (they stay those of the real data).
//
// Genotype pass: at each locus 1 .. NbLoci, for i = NbInd down to 2, an individual still
// available (typed there, first allele non-zero, and not yet exchanged at this locus) draws a
// partner r = Below(i) + 1 again and again until r is available, and the two swap their whole
// genotype at that locus; both are then unavailable. r = i leaves i where it is. Individuals
// missing at a locus never move there.
//
// Allele pass: the same over the 2 * NbInd genes of each locus (gene 2i - 1 is individual i's
// first allele, 2i its second; a gene is available when its code is non-zero); afterwards each
// individual's first allele is the smaller of its two genes. Gene numbers are 16-bit, so the
// pass takes at most kMaxAllelePassIndividuals individuals; the run refuses larger tables.
#pragma once

#include <cstdint>
#include <vector>

#include "analysis/random.h"
#include "analysis/run_data.h"

namespace relakin {

inline constexpr std::uint16_t kMaxAllelePassIndividuals = 32767;

// genes[l][g]: the code of gene g (1 .. 2 * NbInd) at locus l (1 .. NbLoci); slot 0 of both
// levels unused.
using GeneTable = std::vector<std::vector<std::uint16_t>>;

GeneTable GenotypesToGenes(const AnalysisData& data);
// The reverse, the smaller of an individual's two genes becoming its first allele.
void GenesToGenotypes(const GeneTable& genes, AnalysisData& data);

void PermuteGenotypes(AnalysisData& data, RandomGenerator& random);
// Precondition: NbInd <= kMaxAllelePassIndividuals.
void PermuteAlleles(AnalysisData& data, RandomGenerator& random);

}  // namespace relakin
