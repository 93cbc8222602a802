#include "bench/synthetic_file.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "analysis/output_file.h"
#include "analysis/random.h"

namespace relakin::bench {
namespace {

// Cumulative weights 1 .. 10 per allele, so some alleles are up to ten times as common.
std::vector<std::uint32_t> AlleleWeights(RandomGenerator& r, unsigned k) {
  std::vector<std::uint32_t> cumulative(k);
  std::uint32_t total = 0;
  for (unsigned i = 0; i < k; ++i) cumulative[i] = total += 1 + r.Below(10);
  return cumulative;
}

unsigned DrawAllele(RandomGenerator& r, const std::vector<std::uint32_t>& cumulative) {
  const std::uint32_t v = r.Below(cumulative.back());
  return static_cast<unsigned>(std::upper_bound(cumulative.begin(), cumulative.end(), v) -
                               cumulative.begin()) +
         1;
}

}  // namespace

std::string SyntheticAnalysisText(const GenerateSpec& s) {
  RandomGenerator r(s.seed);
  std::vector<std::vector<std::uint32_t>> weights(s.loci);
  for (auto& w : weights) w = AlleleWeights(r, s.alleles);
  // genotype[i * loci + l]: a * 1000 + b, 0 when missing
  std::vector<unsigned> genotype(std::size_t{s.individuals} * s.loci, 0);
  std::vector<std::vector<bool>> present(s.loci, std::vector<bool>(s.alleles + 1, false));
  for (unsigned i = 0; i < s.individuals; ++i) {
    for (unsigned l = 0; l < s.loci; ++l) {
      unsigned a = DrawAllele(r, weights[l]), b = DrawAllele(r, weights[l]);
      if (r.Below(100) < s.missing_percent) continue;
      if (a > b) std::swap(a, b);
      present[l][a] = present[l][b] = true;
      genotype[std::size_t{i} * s.loci + l] = a * 1000 + b;
    }
  }
  std::string text = std::to_string(s.loci) + " synthetic-" + std::to_string(s.individuals) + "-" +
                     std::to_string(s.loci) + "-" + std::to_string(s.alleles) +
                     ".bvt\r\n1  nombre de pop\r\n";
  char buf[32];
  for (unsigned l = 0; l < s.loci; ++l) {
    text += "Locus " + std::to_string(l + 1) + "\r\n";
    const auto count = std::count(present[l].begin(), present[l].end(), true);
    text += std::to_string(count) + " ";
    for (unsigned a = 1; a <= s.alleles; ++a) {
      if (!present[l][a]) continue;
      std::snprintf(buf, sizeof buf, "%03u ", a);
      text += buf;
    }
    text += "\r\n";
  }
  text += "Synthetic\r\n" + std::to_string(s.individuals) + "\r\n";
  for (unsigned i = 0; i < s.individuals; ++i) {
    std::snprintf(buf, sizeof buf, "%10s", ("Ind" + std::to_string(i + 1)).c_str());
    text += buf;
    for (unsigned l = 0; l < s.loci; ++l) {
      std::snprintf(buf, sizeof buf, " %06u", genotype[std::size_t{i} * s.loci + l]);
      text += buf;
    }
    if (i + 1 < s.individuals) text += "\r\n";
  }
  return text;
}

void WriteSyntheticAnalysisFile(const GenerateSpec& request, const std::string& path) {
  OutputFile out(path);
  out.Write(SyntheticAnalysisText(request));
  out.Close();
}

}  // namespace relakin::bench
