#include "analysis/permutation_passes.h"

#include <algorithm>
#include <utility>

namespace relakin {
namespace {

// The exchange walk shared by both passes over one locus: positions 1 .. n, `available`
// indexed like them; swap(i, r) exchanges what positions i and r hold.
template <class Swap>
void ExchangeWalk(std::uint32_t n, std::vector<std::uint8_t>& available, RandomGenerator& random,
                  Swap&& swap) {
  for (std::uint32_t i = n; i >= 2; --i) {
    if (!available[i]) continue;
    std::uint32_t r;
    do {
      r = random.Below(i) + 1;
    } while (!available[r]);
    available[i] = 0;
    swap(i, r);
    available[r] = 0;
  }
}

}  // namespace

GeneTable GenotypesToGenes(const AnalysisData& d) {
  const std::size_t genes = 2 * std::size_t{d.NbInd};
  GeneTable table(std::size_t{d.NbLoci} + 1);
  for (std::size_t l = 1; l <= d.NbLoci; ++l) {
    table[l].assign(genes + 1, 0);
    for (std::size_t i = 1; i <= d.NbInd; ++i) {
      table[l][2 * i - 1] = d.First(i, l);
      table[l][2 * i] = d.Second(i, l);
    }
  }
  return table;
}

void GenesToGenotypes(const GeneTable& genes, AnalysisData& d) {
  for (std::size_t l = 1; l <= d.NbLoci; ++l) {
    for (std::size_t i = 1; i <= d.NbInd; ++i) {
      const std::uint16_t u = genes[l][2 * i - 1], v = genes[l][2 * i];
      d.Genotypes[i][2 * l - 1] = std::min(u, v);
      d.Genotypes[i][2 * l] = std::max(u, v);
    }
  }
}

void PermuteGenotypes(AnalysisData& d, RandomGenerator& random) {
  const std::uint32_t n = d.NbInd;
  // Availability is marked for every locus before the first exchange, as the pass defines it.
  std::vector<std::vector<std::uint8_t>> available(std::size_t{d.NbLoci} + 1);
  for (std::size_t l = 1; l <= d.NbLoci; ++l) {
    available[l].assign(n + 1, 0);
    for (std::size_t i = 1; i <= n; ++i) available[l][i] = d.First(i, l) != 0;
  }
  for (std::size_t l = 1; l <= d.NbLoci; ++l) {
    ExchangeWalk(n, available[l], random, [&](std::uint32_t i, std::uint32_t r) {
      std::swap(d.Genotypes[i][2 * l - 1], d.Genotypes[r][2 * l - 1]);
      std::swap(d.Genotypes[i][2 * l], d.Genotypes[r][2 * l]);
    });
  }
}

void PermuteAlleles(AnalysisData& d, RandomGenerator& random) {
  GeneTable genes = GenotypesToGenes(d);
  const std::uint32_t n = 2u * d.NbInd;
  std::vector<std::vector<std::uint8_t>> available(std::size_t{d.NbLoci} + 1);
  for (std::size_t l = 1; l <= d.NbLoci; ++l) {
    available[l].assign(n + 1, 0);
    for (std::size_t g = 1; g <= n; ++g) available[l][g] = genes[l][g] != 0;
  }
  for (std::size_t l = 1; l <= d.NbLoci; ++l) {
    std::vector<std::uint16_t>& codes = genes[l];
    ExchangeWalk(n, available[l], random,
                 [&](std::uint32_t g, std::uint32_t r) { std::swap(codes[g], codes[r]); });
  }
  GenesToGenotypes(genes, d);
}

}  // namespace relakin
