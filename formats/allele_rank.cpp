#include "formats/allele_rank.h"

#include <algorithm>
#include <optional>

#include "core/genotype_code.h"

namespace relakin {
namespace {

// Past this the first allele (number div 1000) no longer fits 16 bits.
constexpr std::uint32_t kNumberLimit = 65536000;

// The cell's number with blanks read as zeros; nothing when a character is neither a digit nor a
// blank, or when the number reaches kNumberLimit.
std::optional<std::uint32_t> CellNumber(std::string_view cell) {
  std::uint32_t g = 0;
  for (const char c : cell) {
    if (c == ' ') {
      g *= 10;
    } else if (c >= '0' && c <= '9') {
      g = g * 10 + static_cast<std::uint32_t>(c - '0');
    } else {
      return std::nullopt;
    }
    if (g >= kNumberLimit) return std::nullopt;
  }
  return g;
}

}  // namespace

std::string AlleleRank2(const AlleleTables& t, std::uint16_t allele, std::uint16_t l) {
  const auto first = t.AlleleList[l].begin() + 1;
  const auto last = first + t.AlleleCount[l];
  const auto found = std::lower_bound(first, last, allele);
  if (allele == 0 || found == last || *found != allele) return "00";
  const auto rank = static_cast<unsigned>(found - first) + 1;
  if (rank > kMaxRank2) return "00";
  return {static_cast<char>('0' + rank / 10), static_cast<char>('0' + rank % 10)};
}

std::string RecodeGenotype2(const AlleleTables& t, std::string_view cell, std::uint16_t l,
                            int row) {
  const std::optional<std::uint32_t> g = CellNumber(TrimBlanks(cell));
  if (!g) FailGenotypeCell(cell, l + 1, row);
  const auto a1 = static_cast<std::uint16_t>(*g / 1000);
  const auto a2 = static_cast<std::uint16_t>(*g % 1000);
  return AlleleRank2(t, a1, l) + AlleleRank2(t, a2, l);
}

}  // namespace relakin
