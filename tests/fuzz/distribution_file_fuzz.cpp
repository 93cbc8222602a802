// Feeds vodave's distribution-file reader and the histogram drawn from what it reads. Any input
// must read or fail with a typed error; a histogram counts every value once.
#include <cstddef>
#include <cstdint>
#include <numeric>
#include <string>

#include "fuzz/fuzz_check.h"
#include "plotter/stats/distribution_file.h"
#include "plotter/stats/errors.h"
#include "plotter/stats/histogram.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const int classes = vodave::kMinClasses +
                      static_cast<int>(size % (vodave::kMaxClasses - vodave::kMinClasses + 1));
  vodave::DistributionFile file;
  try {
    file = vodave::ParseDistributionFile(std::string(reinterpret_cast<const char*>(data), size),
                                         "fuzz.gra");
  } catch (const vodave::Error&) {
    return 0;
  }
  fuzzing::Check(file.PermutedValues.size() <= vodave::kMaxValues, "at most 50000 values");
  vodave::Histogram h;
  try {
    h = vodave::ComputeHistogram(file, classes);
  } catch (const vodave::Error&) {
    return 0;
  }
  fuzzing::Check(h.Classes.NbClasses == classes, "the classes asked for");
  fuzzing::Check(h.N == static_cast<int>(file.PermutedValues.size()), "N values");
  fuzzing::Check(h.Stats.ObservedClass >= 1 && h.Stats.ObservedClass <= classes,
                 "the observed value falls in a class");
  const long total =
      std::accumulate(h.Classes.ClassCounts.begin(), h.Classes.ClassCounts.end(), 0L);
  fuzzing::Check(total == h.N + 1, "the classes count the N + 1 values once each");
  return 0;
}
