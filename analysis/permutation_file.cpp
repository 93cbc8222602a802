#include "analysis/permutation_file.h"

#include "analysis/estimators.h"
#include "analysis/extended_fixed.h"
#include "analysis/fixed_format.h"

namespace relakin {
namespace {

const char* Heading(int Estimator) {
  switch (Estimator) {
    case kLynchRitland:
      return "Rxy as in Lynch & Ritland 1999";
    case kQuellerGoodnight:
      return "Rxy as in Queller & Goodnight 1989";
    default:
      return " I= Ixy/(racine(Ix)*racine(Iy)) par paire d'individus : ";
  }
}

void AppendValue(std::string& out, DataSetStatistic s, int width, int decimals) {
  if (s.defined) {
    AppendFixedExtended(out, s.value, width, decimals);
  } else {
    AppendInteger(out, static_cast<std::int64_t>(NotComputed), width);
  }
}

}  // namespace

std::string PermutationHeader(const AnalysisData& data, int Estimator) {
  std::string s = "Data File name : " + data.DataTitle + "\r\n";
  s += std::to_string(data.NbLoci) + " Loci\r\n";
  s += std::to_string(data.NbPopGrouped) + " Population(s) grouped\r\n";
  return s + Heading(Estimator);
}

std::string PermutationLabels(std::uint16_t TestOn, std::uint16_t PermType) {
  std::string s = TestOn == 0 ? " Mean" : " Variance";
  s += PermType == 1 ? " after alleles permutation" : " after genotype permutation";
  return s + "\r\n";
}

void AppendStatistic(std::string& out, std::uint16_t k, DataSetStatistic s, std::uint16_t NbPerm) {
  if (k == 0) {
    AppendValue(out, s, 12, 9);
    out += " <--- Value for real data\r\n";
    AppendInteger(out, NbPerm, 5);
    out += "\r\n";
  } else if (k % 10 == 0) {
    AppendValue(out, s, 10, 7);
    out += "\r\n";
  } else {
    AppendValue(out, s, 12, 9);
    out += ' ';
  }
}

std::string VectorFileName(std::uint16_t k) { return "vector" + std::to_string(k) + ".txt"; }

void AppendVectorLines(std::string& out, const double* values, std::size_t count,
                       double& running_sum) {
  for (std::size_t k = 0; k < count; ++k) {
    running_sum = running_sum + values[k];
    AppendFixed(out, values[k], 12, 9);
    out += '\t';
    AppendFixed(out, running_sum, 12, 9);
    out += "\r\n";
  }
}

}  // namespace relakin
