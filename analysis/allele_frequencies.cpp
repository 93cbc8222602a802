#include "analysis/allele_frequencies.h"

#include <utility>

namespace relakin {
namespace {

// First position of code in the list, 0 when absent.
std::size_t FindPosition(const std::vector<std::uint16_t>& list, std::uint16_t code) {
  for (std::size_t i = 1; i <= list[0]; ++i)
    if (list[i] == code) return i;
  return 0;
}

}  // namespace

template <class Real>
void ClearAlleleCounts(RunData<Real>& d) {
  d.AlleleFreqs.assign(d.NbLoci + 1, {});
  for (std::size_t l = 1; l <= d.NbLoci; ++l)
    d.AlleleFreqs[l].assign(d.AlleleCount(l) + 1, Real(0));
  d.TypedCounts.assign(d.NbLoci + 1, 0);
}

template <class Real>
void CountIndividualAlleles(RunData<Real>& d, std::uint16_t x) {
  for (std::size_t l = 1; l <= d.NbLoci; ++l) {
    const std::uint16_t a = d.First(x, l), b = d.Second(x, l);
    if (a == 0 || b == 0) continue;
    const std::size_t pa = FindPosition(d.AlleleCodes[l], a);
    const std::size_t pb = FindPosition(d.AlleleCodes[l], b);
    std::vector<Real>& counts = d.AlleleFreqs[l];
    if (pa != pb) {
      if (pa != 0) counts[pa] += Real(1);
      if (pb != 0) counts[pb] += Real(1);
    } else if (pa != 0) {
      counts[pa] += Real(2);
    }
    ++d.TypedCounts[l];
  }
}

template <class Real>
void ComputeAlleleFrequencies(RunData<Real>& d) {
  for (std::size_t l = 1; l <= d.NbLoci; ++l) {
    const unsigned divisor = 2u * d.TypedCounts[l];
    std::vector<Real>& f = d.AlleleFreqs[l];
    for (std::size_t i = 1; i < f.size(); ++i) {
      f[i] = divisor != 0 ? static_cast<Real>(static_cast<double>(f[i]) / divisor)
                          : static_cast<Real>(NoDataFrequency);
    }
  }
}

template <class Real>
RunData<Real> PrepareRunData(AnalysisData data) {
  RunData<Real> d;
  static_cast<AnalysisData&>(d) = std::move(data);
  d.NbPopGrouped = 1;
  ClearAlleleCounts(d);
  for (unsigned x = 1; x <= d.NbInd; ++x) CountIndividualAlleles(d, static_cast<std::uint16_t>(x));
  ComputeAlleleFrequencies(d);
  return d;
}

template <class Real>
RunData<Real> LoadRunData(const std::string& DataFile, const AnalysisHeaderHook& on_header) {
  return PrepareRunData<Real>(ReadAnalysisFile(DataFile, on_header));
}

#define RELAKIN_FREQUENCIES(Real)                                      \
  template void ClearAlleleCounts(RunData<Real>&);                     \
  template void CountIndividualAlleles(RunData<Real>&, std::uint16_t); \
  template void ComputeAlleleFrequencies(RunData<Real>&);              \
  template RunData<Real> PrepareRunData<Real>(AnalysisData);           \
  template RunData<Real> LoadRunData<Real>(const std::string&, const AnalysisHeaderHook&);
RELAKIN_FREQUENCIES(float)
RELAKIN_FREQUENCIES(double)
#undef RELAKIN_FREQUENCIES

}  // namespace relakin
