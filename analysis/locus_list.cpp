#include "analysis/locus_list.h"

namespace relakin {

LocusList AllLoci(std::uint16_t NbLoci) {
  LocusList list(std::size_t{NbLoci} + 1, 0);
  for (std::size_t l = 1; l <= NbLoci; ++l) list[l] = static_cast<std::uint16_t>(l);
  return list;
}

void ResampleLoci(LocusList& list, std::uint16_t NbLoci, RandomGenerator& random) {
  list.resize(std::size_t{NbLoci} + 1);
  for (std::size_t k = 1; k <= NbLoci; ++k)
    list[k] = static_cast<std::uint16_t>(random.Below(NbLoci) + 1);
}

void DropLocus(LocusList& list, std::uint16_t NbLoci, std::uint16_t l) {
  list.assign(std::size_t{NbLoci} + 1, 0);
  std::size_t k = 1;
  for (std::size_t locus = 1; locus <= NbLoci; ++locus)
    if (locus != l) list[k++] = static_cast<std::uint16_t>(locus);
}

}  // namespace relakin
