// Small random analysis files ("temp.tmp" layout) for the permutation and confidence tests:
// lists ascending and distinct, genotypes smaller allele first, missing genotypes "000000".
#pragma once

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace relakin::testing {

struct RandomTableShape {
  int individuals;
  // Alleles of each locus's list; a 1 makes a locus of frequency 1 (degenerate for Lynch &
  // Ritland), a 2 often gives frequencies of one half.
  std::vector<int> alleles;
  int missing_percent;
  std::uint32_t seed;
  // Individuals missing at every locus (their pairs are never computed by the identity index).
  int untyped = 0;
};

inline std::string RandomAnalysisFile(const RandomTableShape& s) {
  std::mt19937 g(s.seed);
  std::string f = std::to_string(s.alleles.size()) + " random table\r\n1  nombre de pop\r\n";
  for (std::size_t l = 0; l < s.alleles.size(); ++l) {
    f += "Loc";
    f += std::to_string(l + 1);
    f += "\r\n";
    f += std::to_string(s.alleles[l]);
    f += ' ';
    for (int a = 1; a <= s.alleles[l]; ++a) f += std::to_string(100 + 3 * a) + " ";
    f += "\r\n";
  }
  f += "Pop 1\r\n" + std::to_string(s.individuals) + "\r\n";
  for (int i = 1; i <= s.individuals; ++i) {
    char id[16], name[16];
    std::snprintf(id, sizeof id, "i%d", i);
    std::snprintf(name, sizeof name, "%10s", id);
    f += name;
    for (std::size_t l = 0; l < s.alleles.size(); ++l) {
      const bool missing =
          i > s.individuals - s.untyped || static_cast<int>(g() % 100) < s.missing_percent;
      // Skewed frequencies: low positions more common.
      auto draw = [&] {
        const int k = s.alleles[l];
        return 100 + 3 * (1 + static_cast<int>(g() % k) * static_cast<int>(g() % k) / k);
      };
      int a = draw(), b = draw();
      if (a > b) std::swap(a, b);
      f += ' ';
      f += missing ? std::string("000000") : std::to_string(a * 1000 + b);
    }
    f += i < s.individuals ? "\r\n" : "";
  }
  return f;
}

}  // namespace relakin::testing
