#include "formats/genotype_number.h"

#include <limits>
#include <string>
#include <string_view>

#include "core/quoted_text.h"

namespace relakin {

std::uint64_t ReadGenotypeNumber(TextReader& in, int digitsPerAllele, int k, int l) {
  const std::string_view rest = in.Rest();
  std::size_t end = 0;
  while (end < rest.size() && static_cast<unsigned char>(rest[end]) > ' ') ++end;
  const std::string_view token = rest.substr(0, end);
  const std::size_t width = 2 * static_cast<std::size_t>(digitsPerAllele);
  const std::string_view digits = DigitsOf(token);
  // Zeros alone split into no allele at any width: a missing genotype written wide.
  const bool zeros = digits.find_first_not_of('0') == std::string_view::npos;
  if (digits.size() > width && !zeros) {
    in.Fail("génotype " + QuotedText(token) + " trop long au locus " + std::to_string(l) +
            " de l'individu " + std::to_string(k) + " : " + std::to_string(width) +
            " chiffres au plus (" + std::to_string(digitsPerAllele) + " par allèle).");
  }
  return in.ReadUnsigned("génotype", std::numeric_limits<std::uint64_t>::max());
}

}  // namespace relakin
