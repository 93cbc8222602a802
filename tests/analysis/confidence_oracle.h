// A literal reading of the confidence-interval run, as the method is written: every replicate
// over all pairs in turn, every pair's values held until the cells are written, the literal
// estimators, printf for the numbers. The oracle the production run must match byte for byte.
#pragma once

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "analysis/allele_frequencies.h"
#include "analysis/estimators.h"
#include "analysis/random.h"
#include "core/genotype_code.h"
#include "permutation_oracle.h"

namespace relakin::testing {

struct LiteralConfidenceOutput {
  std::string result;
  DegenerateLocusTally degenerate;  // every occurrence, the first one's numbers
};

inline LiteralConfidenceOutput LiteralConfidenceIntervals(const std::string& DataFile,
                                                          int Estimator, int Precision,
                                                          bool PrintPairwise, int Method,
                                                          std::uint32_t seed) {
  LiteralConfidenceOutput out;
  std::string& res = out.result;
  const TestRunData d = LoadRunData<double>(DataFile, [&](const AnalysisData& h) {
    res = "Data File name : " + h.DataTitle + "\r\n" + std::to_string(h.NbLoci) + " Locus\r\n" +
          std::to_string(h.NbPopGrouped) + " Population(s) grouped\r\n";
    res += Estimator == 2   ? "rxy in Lynch & Ritland 1999. "
           : Estimator == 1 ? "rxy in Queller & Goodnight 1989. "
                            : " I= Ixy/(racine(Ix)*racine(Iy)) par paire d'individus : ";
  });
  const unsigned NbBoot = 100;
  RandomGenerator random(seed);  // the reseed
  std::vector<std::uint16_t> LocusList(d.NbLoci + 1);
  for (unsigned l = 1; l <= d.NbLoci; ++l) LocusList[l] = std::uint16_t(l);
  const std::uint32_t n = d.NbInd;
  const std::uint32_t NbPairs = n * (n > 0 ? n - 1 : 0) / 2;
  auto PairIndexOf = [&](std::uint32_t i, std::uint32_t j) {
    return (i - 1) * n + j - i * (i + 1) / 2;
  };
  const unsigned room = Method == 0 ? NbBoot + 1 : d.NbLoci + 1u;
  std::vector<std::vector<double>> PairReplicates(NbPairs + 1, std::vector<double>(room + 1));
  std::vector<std::uint32_t> PairReplicateCount(NbPairs + 1, 0);
  std::vector<double> real(NbPairs + 1, 0);
  std::vector<double> SelfIdentity;

  auto ComputeAllPairs = [&](unsigned r, std::uint16_t m) {
    const LocusSet set = LocusSet::FirstEntries(LocusList, m);
    SelfIdentity.assign(n + 1, 0);
    for (unsigned i = 1; i <= n; ++i)
      SelfIdentity[i] = IdentityIxy(d, std::uint16_t(i), std::uint16_t(i), set);
    for (unsigned i = 1; i <= n; ++i)
      for (unsigned j = i + 1; j <= n; ++j) {
        const double v = PairRelatedness(d, std::uint16_t(i), std::uint16_t(j), Estimator, set,
                                         SelfIdentity, &out.degenerate);
        const std::uint32_t k = PairIndexOf(i, j);
        if (r == 0) real[k] = v;
        if (v != 999) PairReplicates[k][++PairReplicateCount[k]] = v;
      }
  };

  if (Method == 0) {
    for (unsigned r = 0; r <= NbBoot; ++r) {
      if (r > 0)
        for (unsigned k = 1; k <= d.NbLoci; ++k) LocusList[k] = random.Below(d.NbLoci) + 1;
      ComputeAllPairs(r, d.NbLoci);
    }
  } else {
    for (unsigned r = 0; r <= d.NbLoci; ++r) {
      if (r == 0) {
        ComputeAllPairs(0, d.NbLoci);
        continue;
      }
      unsigned k = 1;
      for (unsigned l = 1; l <= d.NbLoci; ++l)
        if (l != r) LocusList[k++] = std::uint16_t(l);
      ComputeAllPairs(r, d.NbLoci - 1);
    }
  }

  if (PrintPairwise) {
    res += "\r\n";
    for (unsigned i = 1; i + 1 <= n; ++i) {
      for (unsigned c = 0; c < i; ++c) res += "        \t";
      for (unsigned j = i + 1; j <= n; ++j)
        res += LiteralFixed(real[PairIndexOf(i, j)], 8, Precision) + "\t";
      res += "\r\n";
    }
  }
  res += Method == 0 ? "95% Confidence limits after 100 bootstraps over loci :\r\n"
                     : "95% Confidence limits after jackknife over loci :\r\n";
  res += "\r\n";
  std::fesetround(FE_TONEAREST);
  for (unsigned i = 1; i + 1 <= n; ++i) {
    for (unsigned c = 0; c < i; ++c) res += "            \t";
    for (unsigned j = i + 1; j <= n; ++j) {
      const std::uint32_t k = PairIndexOf(i, j);
      const std::uint32_t c = PairReplicateCount[k];
      std::vector<double>& values = PairReplicates[k];
      if (c == 0) {
        res += "------------\t";
      } else if (Method == 0) {
        HeapSortDoubles(c, std::span<double>(values));
        const auto lo = 1 + static_cast<std::uint32_t>(std::nearbyint(c * 2.5 / 100));
        const auto hi = static_cast<std::uint32_t>(std::nearbyint(c * 97.5 / 100));
        res += LiteralFixed(values[lo], 6, 3) + "_" + LiteralFixed(values[hi], 6, 3) + "\t";
      } else if (real[k] != 999 && c >= 2) {
        const unsigned N = c - 1;
        std::vector<double> pseudo(N);
        for (unsigned b = 2; b <= N + 1; ++b)
          pseudo[b - 2] = double(N) * values[1] - (double(N) - 1) * values[b];
        long double mean, sd;
        LiteralMeanAndStdDev(pseudo, mean, sd);
        sd = std::fabs(sd);  // a single pseudo-value is its own s, negative or not
        const long double z = 1.96L;
        res += LiteralFixed(mean - z * sd, 6, 3) + "_" + LiteralFixed(mean + z * sd, 6, 3) + "\t";
      } else {
        res += "------------\t";
      }
    }
    res += "\r\n";
  }
  return out;
}

}  // namespace relakin::testing
