// Small run data built in code, for the analysis tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/allele_frequencies.h"
#include "analysis/run_data.h"

namespace relakin::testing {

// lists[l - 1]: the allele codes of locus l; genotypes[i - 1][l - 1]: individual i's six-digit
// genotype number at locus l, as the analysis file writes it (101105, 0 for missing).
inline AnalysisData MakeAnalysisData(const std::vector<std::vector<std::uint16_t>>& lists,
                                     const std::vector<std::vector<std::uint32_t>>& genotypes) {
  AnalysisData d;
  d.NbLoci = static_cast<std::uint16_t>(lists.size());
  d.NbPopGrouped = 1;
  d.AlleleCodes.assign(d.NbLoci + 1, {});
  for (std::size_t l = 1; l <= d.NbLoci; ++l) {
    d.AlleleCodes[l].push_back(static_cast<std::uint16_t>(lists[l - 1].size()));
    d.AlleleCodes[l].insert(d.AlleleCodes[l].end(), lists[l - 1].begin(), lists[l - 1].end());
  }
  d.NbInd = static_cast<std::uint16_t>(genotypes.size());
  d.Genotypes.assign(1, {});
  for (const auto& ind : genotypes) {
    std::vector<std::uint16_t> row(2 * std::size_t{d.NbLoci} + 1, 0);
    for (std::size_t l = 1; l <= d.NbLoci; ++l) {
      row[2 * l - 1] = static_cast<std::uint16_t>(ind[l - 1] / 1000);
      row[2 * l] = static_cast<std::uint16_t>(ind[l - 1] % 1000);
    }
    d.Genotypes.push_back(row);
  }
  return d;
}

template <class Real>
RunData<Real> MakeRunData(const std::vector<std::vector<std::uint16_t>>& lists,
                          const std::vector<std::vector<std::uint32_t>>& genotypes) {
  return PrepareRunData<Real>(MakeAnalysisData(lists, genotypes));
}

// The estimators' worked example: x = 101/103 201/201 and y = 101/105 201/201 are individuals
// 1 and 2; three more individuals bring the frequencies to 0.5, 0.3, 0.2 and 0.6, 0.4. With
// `third_locus`, every individual is 301/301 at a third locus of the single allele 301.
inline std::string WorkedExampleFile(bool third_locus = false) {
  const char* extra = third_locus ? " 301301" : "";
  std::string text = std::string(third_locus ? "3" : "2") + " Example\r\n1  nombre de pop\r\n" +
                     "Locus 1\r\n3 101 103 105 \r\nLocus 2\r\n2 201 202 \r\n";
  if (third_locus) text += "Locus 3\r\n1 301 \r\n";
  text += "Pop\r\n5\r\n";
  const char* rows[] = {"         x 101103 201201", "         y 101105 201201",
                        "        i3 101101 201201", "        i4 103103 202202",
                        "        i5 101105 202202"};
  for (int i = 0; i < 5; ++i) text += rows[i] + std::string(extra) + (i < 4 ? "\r\n" : "");
  return text;
}

}  // namespace relakin::testing
