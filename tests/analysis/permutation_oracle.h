// A literal reading of the permutation test, step by step as the method is written (one data
// set after the other, the method's own arrays and loops, the literal estimators, printf for the
// numbers), kept as the oracle the production run must match byte for byte.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "analysis/allele_frequencies.h"
#include "analysis/estimators.h"
#include "analysis/random.h"

namespace relakin::testing {

// Fixed notation of `v` with `decimals` decimals, exact halves away from zero, right-justified
// in `width`: from printf's exact expansion.
inline std::string LiteralFixed(long double v, int width, int decimals) {
  char buf[512];
  std::snprintf(buf, sizeof buf, "%.*Lf", decimals + 80, v);
  std::string s = buf;
  const std::size_t point = s.find('.');
  const bool up = s[point + 1 + decimals] >= '5';
  s.resize(decimals > 0 ? point + 1 + decimals : point);
  if (up) {
    int k = static_cast<int>(s.size()) - 1;
    for (; k >= 0; --k) {
      if (s[k] == '.') continue;
      if (s[k] == '-') {
        k = -1;
        break;
      }
      if (s[k] != '9') {
        ++s[k];
        break;
      }
      s[k] = '0';
    }
    if (k < 0) s.insert(s.begin() + (s[0] == '-' ? 1 : 0), '1');
  }
  if (static_cast<int>(s.size()) < width) s.insert(0, width - s.size(), ' ');
  return s;
}

inline std::string LiteralInt(long v, int width) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%*ld", width, v);
  return buf;
}

// MeanAndStdDev as the run time gives it, in extended precision.
inline void LiteralMeanAndStdDev(const std::vector<double>& v, long double& mean, long double& sd) {
  const std::size_t n = v.size();
  if (n == 1) {
    mean = sd = v[0];
    return;
  }
  long double sum = 0;
  for (double x : v) sum = sum + x;
  mean = sum / n;
  long double s = 0;
  for (double x : v) s = s + (mean - x) * (mean - x);
  sd = sqrtl(s / (n - 1));
}

inline void LiteralPermuteGenotypes(AnalysisData& d, RandomGenerator& random) {
  std::vector<std::vector<bool>> dispo(d.NbInd + 1, std::vector<bool>(d.NbLoci + 1, false));
  for (unsigned i = 1; i <= d.NbInd; ++i)
    for (unsigned l = 1; l <= d.NbLoci; ++l) dispo[i][l] = d.Genotypes[i][2 * l - 1] != 0;
  for (unsigned l = 1; l <= d.NbLoci; ++l) {
    for (unsigned i = d.NbInd; i >= 2; --i) {
      if (!dispo[i][l]) continue;
      unsigned r = random.Below(i) + 1;
      while (!dispo[r][l]) r = random.Below(i) + 1;
      dispo[i][l] = false;
      std::swap(d.Genotypes[i][2 * l - 1], d.Genotypes[r][2 * l - 1]);
      std::swap(d.Genotypes[i][2 * l], d.Genotypes[r][2 * l]);
      dispo[r][l] = false;
    }
  }
}

inline void LiteralPermuteAlleles(AnalysisData& d, RandomGenerator& random) {
  const unsigned genes = 2 * d.NbInd;
  std::vector<std::vector<std::uint16_t>> tab22(genes + 1,
                                                std::vector<std::uint16_t>(d.NbLoci + 1, 0));
  for (unsigned i = 1; i <= d.NbInd; ++i)
    for (unsigned l = 1; l <= d.NbLoci; ++l) {
      tab22[2 * i - 1][l] = d.Genotypes[i][2 * l - 1];
      tab22[2 * i][l] = d.Genotypes[i][2 * l];
    }
  std::vector<std::vector<bool>> tab(genes + 1, std::vector<bool>(d.NbLoci + 1, false));
  for (unsigned g = 1; g <= genes; ++g)
    for (unsigned l = 1; l <= d.NbLoci; ++l) tab[g][l] = tab22[g][l] != 0;
  for (unsigned l = 1; l <= d.NbLoci; ++l) {
    for (unsigned g = genes; g >= 2; --g) {
      if (!tab[g][l]) continue;
      unsigned r = random.Below(g) + 1;
      while (!tab[r][l]) r = random.Below(g) + 1;
      tab[g][l] = false;
      std::swap(tab22[g][l], tab22[r][l]);
      tab[r][l] = false;
    }
  }
  for (unsigned i = 1; i <= d.NbInd; ++i)
    for (unsigned l = 1; l <= d.NbLoci; ++l) {
      const std::uint16_t u = tab22[2 * i - 1][l], v = tab22[2 * i][l];
      d.Genotypes[i][2 * l - 1] = u < v ? u : v;
      d.Genotypes[i][2 * l] = u < v ? v : u;
    }
}

inline std::string VectorName(int k) { return "vector" + std::to_string(k) + ".txt"; }

struct LiteralPermutationOutput {
  std::string result;
  std::map<int, std::string> vectors;  // data set -> vector file
};

inline LiteralPermutationOutput LiteralPermutationTest(const std::string& DataFile,
                                                       std::uint16_t NbPerm, std::uint16_t PermType,
                                                       int Estimator, std::uint16_t TestOn,
                                                       RandomGenerator& random) {
  LiteralPermutationOutput out;
  std::string& res = out.result;
  TestRunData d = LoadRunData<double>(DataFile, [&](const AnalysisData& h) {
    res = "Data File name : " + h.DataTitle + "\r\n" + std::to_string(h.NbLoci) + " Loci\r\n" +
          std::to_string(h.NbPopGrouped) + " Population(s) grouped\r\n";
    res += Estimator == 2   ? "Rxy as in Lynch & Ritland 1999"
           : Estimator == 1 ? "Rxy as in Queller & Goodnight 1989"
                            : " I= Ixy/(racine(Ix)*racine(Iy)) par paire d'individus : ";
  });
  const LocusSet all = LocusSet::All(d.NbLoci);
  std::vector<double> SelfIdentity;
  for (unsigned k = 0; k <= NbPerm; ++k) {
    if (k > 0) {
      if (PermType == 1) {
        LiteralPermuteAlleles(d, random);
      } else {
        LiteralPermuteGenotypes(d, random);
      }
    }
    SelfIdentity.assign(d.NbInd + 1, 0);
    for (unsigned i = 1; i <= d.NbInd; ++i)
      SelfIdentity[i] = IdentityIxy(d, std::uint16_t(i), std::uint16_t(i), all);
    std::vector<double> PairValues;
    for (unsigned i = 1; i <= d.NbInd; ++i)
      for (unsigned j = i + 1; j <= d.NbInd; ++j) {
        const double v =
            PairRelatedness(d, std::uint16_t(i), std::uint16_t(j), Estimator, all, SelfIdentity);
        if (v != 999) PairValues.push_back(v);
      }
    std::string& vec = out.vectors[static_cast<int>(k)];
    double running = 0;
    for (double v : PairValues) {
      running = running + v;
      vec += LiteralFixed(v, 12, 9) + "\t" + LiteralFixed(running, 12, 9) + "\r\n";
    }
    // No value: no statistic; the run writes 999 in the statistic's field.
    bool defined = !PairValues.empty();
    long double mean = 0, sd = 0;
    if (defined) LiteralMeanAndStdDev(PairValues, mean, sd);
    const long double stat = TestOn == 0 ? mean : sd * sd;
    auto field = [&](int w, int dec) {
      return defined ? LiteralFixed(stat, w, dec) : LiteralInt(999, w);
    };
    if (k == 0) {
      res += std::string(TestOn == 0 ? " Mean" : " Variance") +
             (PermType == 1 ? " after alleles permutation" : " after genotype permutation") +
             "\r\n";
      res += field(12, 9) + " <--- Value for real data\r\n" + LiteralInt(NbPerm, 5) + "\r\n";
    } else if (k % 10 == 0) {
      res += field(10, 7) + "\r\n";
    } else {
      res += field(12, 9) + " ";
    }
  }
  return out;
}

}  // namespace relakin::testing
